#pragma once

#include "ColourStop.h"
#include "ColourTriple.h"
#include "GradientSettings.h"
#include "TextUnits.h"

#include <vector>

namespace huespan {

// The colour schedule of a run: one colour for each of the n units that take one.
namespace UnitColours {

// Without stops in sRGB, the exact two-colour arithmetic of the settings' form, as the plain
// generators compute it; two stops at 0 and 100 % in sRGB left to right take the same arithmetic.
// Otherwise the stops (or the two colours as stops), mirrored for the both-sides form,
// interpolated in the settings' space. Reversed when the settings say so. n is at least the
// form's minimum (2 left to right, 3 for both sides). Last, a contrast floor raises the colours
// that fall below it.
std::vector<ColourTriple> schedule(const GradientSettings& settings, int n);

// The colours of the units of a text that take one, in text order: the schedule over the whole
// text, or with settings.extended.lines over each line again (each), or by column with a schedule
// as long as the longest line (columns). A line shorter than the form's minimum takes the colours
// of the minimum's schedule spread over it, so a line of one unit takes the first colour. units
// holds at least the form's minimum of coloured units.
std::vector<ColourTriple> scheduleOf(const GradientSettings& settings, const TextUnits& units);

// The stops the schedule runs through, with their positions, mirrored and reversed as above.
std::vector<ColourStop> effectiveStops(const GradientSettings& settings);

// The exact arithmetic alone: what GenerateLeftToRight or GenerateBothSidesSame give the n
// characters of a text, in text order.
std::vector<ColourTriple> twoColourSchedule(GradientForm form, const ColourTriple& first,
                                            const ColourTriple& second, int n);

} // namespace UnitColours
} // namespace huespan
