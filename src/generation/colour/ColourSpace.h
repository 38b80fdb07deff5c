#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace huespan {

// The spaces a gradient can be interpolated in, with the conversions of CSS Color Level 4.
enum class ColourSpace
{
    Srgb,
    LinearSrgb,
    Oklab,
    Oklch,
    Hsl
};

// Which way round the hue circle a polar space (oklch, hsl) goes between two hues.
enum class HueInterpolation
{
    Shorter,
    Longer,
    Increasing,
    Decreasing
};

// Whether the space has a hue (its third coordinate for oklch, its first for hsl).
bool isPolar(ColourSpace space);

// Three coordinates of a colour in one space:
// - sRGB and linear sRGB: red, green, blue, 0 to 1 inside the gamut;
// - OKLab: L (0 to 1), a, b;
// - OKLCH: L, C, h in degrees;
// - HSL: h in degrees, saturation and lightness 0 to 1.
// A hue is NaN where it is powerless (an achromatic colour): CSS treats it as missing.
using ColourCoordinates = std::array<double, 3>;

// The sRGB transfer function and its inverse, extended to negative values by symmetry.
double srgbToLinear(double component);
double linearToSrgb(double component);

// The two halves of linear sRGB to OKLab, either side of the cube root: the cone responses
// (LMS), and OKLab from their cube roots.
ColourCoordinates linearSrgbToLms(const ColourCoordinates& linear);
ColourCoordinates lmsRootsToOklab(const ColourCoordinates& lmsRoots);

ColourCoordinates linearSrgbToOklab(const ColourCoordinates& linear);
ColourCoordinates oklabToLinearSrgb(const ColourCoordinates& oklab);
ColourCoordinates oklabToOklch(const ColourCoordinates& oklab);
ColourCoordinates oklchToOklab(const ColourCoordinates& oklch);
ColourCoordinates srgbToHsl(const ColourCoordinates& srgb);
ColourCoordinates hslToSrgb(const ColourCoordinates& hsl);

// From gamma-encoded sRGB into the space, and from the space to linear-light sRGB (not yet
// brought into the gamut). HSL goes through gamma-encoded sRGB on the way.
ColourCoordinates srgbToSpace(ColourSpace space, const ColourCoordinates& srgb);
ColourCoordinates spaceToLinearSrgb(ColourSpace space, const ColourCoordinates& coordinates);

// The two hues of a pair made ready for linear interpolation by the CSS hue rule: a missing hue
// takes the other one's (both missing become 0), then one of them may move by 360 degrees.
void fixUpHues(double& first, double& second, HueInterpolation hue);

} // namespace huespan
