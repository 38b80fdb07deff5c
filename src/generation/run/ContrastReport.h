#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace huespan {

// How well the units of a run stand out from a background: the least contrast of any unit and
// how many fall below each level that WCAG names, and below the run's own floor.
struct ContrastReport
{
    int units = 0;
    double lowest = 21.0;
    // The first unit with the lowest contrast, and its colour.
    QString lowestUnit;
    ColourTriple lowestColour;
    int belowLargeText = 0;
    int belowText = 0;
    int belowEnhanced = 0;
    // Below the settings' contrast floor: the units that could not be raised to it.
    int belowFloor = 0;

    // The report on the colours a run of these settings gives the text's units; nothing for a
    // text that the run refuses (empty, too short or too long).
    static std::optional<ContrastReport> of(QStringView text, const GradientSettings& settings,
                                            const ColourTriple& background);
};

} // namespace huespan
