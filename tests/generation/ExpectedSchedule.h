#pragma once

#include "ColourTriple.h"

#include <QList>

namespace huespan {

// The colours and percentages that a run must produce for n characters, worked out from the
// rules of each gradient form with the reference arithmetic rather than the production code.
namespace ExpectedSchedule {

QList<ColourTriple> leftToRightColours(const ColourTriple& first, const ColourTriple& second, int n);
QList<int> leftToRightPercentages(int n);

QList<ColourTriple> bothSidesColours(const ColourTriple& edge, const ColourTriple& middle, int n);
QList<int> bothSidesPercentages(int n);

// The number of characters in the left half of the both-sides form.
int halfCount(int n);

} // namespace ExpectedSchedule
} // namespace huespan
