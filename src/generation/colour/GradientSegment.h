#pragma once

#include "ColourInterpolator.h"
#include "ColourSpace.h"
#include "ColourStop.h"
#include "ColourTriple.h"
#include "SrgbEncoder.h"

#include <optional>

namespace huespan {

// The stretch of a gradient between two neighbouring stops, on an axis of units (a unit is one
// step of the whole gradient: a text of n units spans n - 1). The stops' colours are converted
// into the interpolation space once, and everything that stays the same along the stretch is
// worked out here.
class GradientSegment final
{
public:
    // fromUnit < toUnit.
    GradientSegment(const ColourStop& from, const ColourStop& to, double fromUnit, double toUnit,
                    ColourSpace space, HueInterpolation hue);

    double fromUnit() const { return m_fromUnit; }
    double toUnit() const { return m_fromUnit + m_span; }

    // The colour at a point of the axis, straight through the conversions: the stop's own colour
    // at either end, in between interpolated in the space and brought into the sRGB gamut.
    ColourTriple colourAt(double unit) const;

    // The colours of the whole units first to end - 1, written to out[first] onwards, as colourAt
    // gives them; a stretch of whole sRGB units takes today's two-colour arithmetic.
    void unitColours(qsizetype first, qsizetype end, ColourTriple* out) const;

private:
    // The interpolated coordinates at a fraction of the stretch (0 to 1).
    ColourCoordinates coordinatesAt(double fraction) const;
    // Linear-light sRGB of interpolated coordinates (not HSL, not sRGB), inside the gamut.
    ColourCoordinates linearInGamut(const ColourCoordinates& coordinates) const;
    // The linear-light sRGB of OKLab or OKLCH coordinates brought into the gamut.
    ColourCoordinates broughtIntoGamut(const ColourCoordinates& coordinates,
                                       const ColourCoordinates& linear) const;

    ColourSpace m_space;
    ColourTriple m_fromColour;
    ColourTriple m_toColour;
    double m_fromUnit;
    double m_span;
    ColourCoordinates m_start;
    ColourCoordinates m_delta;
    // Today's two-colour arithmetic, for sRGB stretches that begin on a unit and span whole units.
    std::optional<ColourInterpolator> m_wholeUnitSteps;
};

} // namespace huespan
