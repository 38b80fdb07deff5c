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

    // The colours of the whole units first to end - 1, written to out[first] onwards: the same
    // colours as colourAt gives, computed faster.
    void unitColours(qsizetype first, qsizetype end, ColourTriple* out) const;

private:
    // The interpolated coordinates at a fraction of the stretch (0 to 1).
    ColourCoordinates coordinatesAt(double fraction) const;
    // Linear-light sRGB of interpolated coordinates (not HSL, not sRGB), inside the gamut.
    ColourCoordinates linearInGamut(const ColourCoordinates& coordinates) const;
    // The linear-light sRGB of OKLab or OKLCH coordinates brought into the gamut.
    ColourCoordinates broughtIntoGamut(const ColourCoordinates& coordinates,
                                       const ColourCoordinates& linear) const;
    // Whether the 8-bit codes of quick linear values (off by less than margin) are certainly those
    // of the exact ones.
    // clipDistance: 0 for a colour inside the gamut, the distance of its clip (within 1e-6) for
    // one that the gamut mapping clips, infinity otherwise.
    bool clearOfDoubt(const SrgbEncoder::StepTable& steps, const ColourCoordinates& oklab,
                      const ColourCoordinates& linear, const ColourTriple& codes, double margin,
                      double& clipDistance) const;
    // For each linear-light component, bounds of its first and second derivative by the unit
    // anywhere on the segment.
    struct ChangeBounds
    {
        ColourCoordinates first;  // of each linear component
        ColourCoordinates second; // of each linear component
        double fastest = 0.0;     // the largest of first
        double lightness = 0.0;   // of OKLab's L
        double oklab = 0.0;       // of the OKLab coordinates together (Euclidean)
    };
    ChangeBounds changeBounds() const;
    // The derivative of each linear-light component by the unit at one unit (OKLab or OKLCH
    // coordinates, with the hue's cosine and sine for OKLCH).
    ColourCoordinates linearChangeAt(const ColourCoordinates& coordinates, double cosine, double sine) const;
    // Of the following units (at most units), how many certainly stay where the gamut mapping
    // clips them, starting from a colour whose clip lies clipDistance from it.
    double unitsWithinReach(const ColourCoordinates& oklab, const ColourCoordinates& linear,
                            double clipDistance, const ChangeBounds& change, double units) const;
    // unitColours for linear sRGB, OKLab and OKLCH.
    void quickUnitColours(qsizetype first, qsizetype end, ColourTriple* out) const;

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
