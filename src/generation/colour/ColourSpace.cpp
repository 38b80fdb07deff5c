#include "ColourSpace.h"

#include "ColourMatrices.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

using namespace Qt::StringLiterals;

namespace huespan {

using namespace ColourMatrices;

namespace {

// Below this chroma an OKLCH hue is powerless (the sample code's threshold).
constexpr double achromaticChroma = 0.000004;
// Below this saturation an HSL hue is powerless.
constexpr double achromaticSaturation = 0.00001;

double degreesToRadians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// One channel of the CSS hslToRgb sample: n is 0 for red, 8 for green, 4 for blue.
double hslChannel(double n, double hue, double saturation, double lightness)
{
    const double k = std::fmod(n + hue / 30.0, 12.0);
    const double a = saturation * std::min(lightness, 1.0 - lightness);
    return lightness - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
}

} // namespace

bool isPolar(ColourSpace space)
{
    return space == ColourSpace::Oklch || space == ColourSpace::Hsl;
}

double srgbToLinear(double component)
{
    const double magnitude = std::fabs(component);
    if (magnitude <= 0.04045)
        return component / 12.92;
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), component);
}

double linearToSrgb(double component)
{
    const double magnitude = std::fabs(component);
    if (magnitude > 0.0031308)
        return std::copysign(1.055 * std::pow(magnitude, 1.0 / 2.4) - 0.055, component);
    return 12.92 * component;
}

ColourCoordinates linearSrgbToLms(const ColourCoordinates& linear)
{
    return multiply(linearSrgbToLmsMatrix, linear);
}

ColourCoordinates lmsRootsToOklab(const ColourCoordinates& lmsRoots)
{
    return multiply(lmsToOklab, lmsRoots);
}

ColourCoordinates linearSrgbToOklab(const ColourCoordinates& linear)
{
    const ColourCoordinates lms = linearSrgbToLms(linear);
    return lmsRootsToOklab({std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

ColourCoordinates oklabToLinearSrgb(const ColourCoordinates& oklab)
{
    const ColourCoordinates roots = multiply(oklabToLms, oklab);
    return multiply(lmsToLinearSrgbMatrix, {roots[0] * roots[0] * roots[0], roots[1] * roots[1] * roots[1],
                                            roots[2] * roots[2] * roots[2]});
}

ColourCoordinates oklabToOklch(const ColourCoordinates& oklab)
{
    const double chroma = std::sqrt(oklab[1] * oklab[1] + oklab[2] * oklab[2]);
    double hue = std::atan2(oklab[2], oklab[1]) * 180.0 / std::numbers::pi;
    if (hue < 0)
        hue += 360.0;
    if (chroma <= achromaticChroma)
        hue = std::numeric_limits<double>::quiet_NaN();
    return {oklab[0], chroma, hue};
}

ColourCoordinates oklchToOklab(const ColourCoordinates& oklch)
{
    // A missing hue converts as 0; it matters nowhere, the chroma being (nearly) zero.
    const double radians = std::isnan(oklch[2]) ? 0.0 : degreesToRadians(oklch[2]);
    return {oklch[0], oklch[1] * std::cos(radians), oklch[1] * std::sin(radians)};
}

ColourCoordinates srgbToHsl(const ColourCoordinates& srgb)
{
    const auto [red, green, blue] = srgb;
    const double max = std::max({red, green, blue});
    const double min = std::min({red, green, blue});
    const double lightness = (min + max) / 2.0;
    const double d = max - min;
    double hue = std::numeric_limits<double>::quiet_NaN();
    double saturation = 0.0;
    if (d != 0.0) {
        saturation = lightness == 0.0 || lightness == 1.0
                         ? 0.0
                         : (max - lightness) / std::min(lightness, 1.0 - lightness);
        if (max == red)
            hue = (green - blue) / d + (green < blue ? 6.0 : 0.0);
        else if (max == green)
            hue = (blue - red) / d + 2.0;
        else
            hue = (red - green) / d + 4.0;
        hue *= 60.0;
    }
    // Far outside the gamut the saturation comes out negative: turn the hue half way instead.
    if (saturation < 0.0) {
        hue += 180.0;
        saturation = -saturation;
    }
    if (hue >= 360.0)
        hue -= 360.0;
    if (saturation <= achromaticSaturation)
        hue = std::numeric_limits<double>::quiet_NaN();
    return {hue, saturation, lightness};
}

ColourCoordinates hslToSrgb(const ColourCoordinates& hsl)
{
    double hue = std::isnan(hsl[0]) ? 0.0 : std::fmod(hsl[0], 360.0);
    if (hue < 0.0)
        hue += 360.0;
    return {hslChannel(0.0, hue, hsl[1], hsl[2]), hslChannel(8.0, hue, hsl[1], hsl[2]),
            hslChannel(4.0, hue, hsl[1], hsl[2])};
}

ColourCoordinates srgbToSpace(ColourSpace space, const ColourCoordinates& srgb)
{
    const auto linear = [&srgb] {
        return ColourCoordinates{srgbToLinear(srgb[0]), srgbToLinear(srgb[1]), srgbToLinear(srgb[2])};
    };
    switch (space) {
    case ColourSpace::Srgb:
        return srgb;
    case ColourSpace::LinearSrgb:
        return linear();
    case ColourSpace::Oklab:
        return linearSrgbToOklab(linear());
    case ColourSpace::Oklch:
        return oklabToOklch(linearSrgbToOklab(linear()));
    case ColourSpace::Hsl:
        return srgbToHsl(srgb);
    }
    return srgb;
}

ColourCoordinates spaceToLinearSrgb(ColourSpace space, const ColourCoordinates& coordinates)
{
    const auto linear = [](const ColourCoordinates& srgb) {
        return ColourCoordinates{srgbToLinear(srgb[0]), srgbToLinear(srgb[1]), srgbToLinear(srgb[2])};
    };
    switch (space) {
    case ColourSpace::Srgb:
        return linear(coordinates);
    case ColourSpace::LinearSrgb:
        return coordinates;
    case ColourSpace::Oklab:
        return oklabToLinearSrgb(coordinates);
    case ColourSpace::Oklch:
        return oklabToLinearSrgb(oklchToOklab(coordinates));
    case ColourSpace::Hsl:
        return linear(hslToSrgb(coordinates));
    }
    return coordinates;
}

void fixUpHues(double& first, double& second, HueInterpolation hue)
{
    if (std::isnan(first) && std::isnan(second)) {
        first = 0.0;
        second = 0.0;
    } else if (std::isnan(first)) {
        first = second;
    } else if (std::isnan(second)) {
        second = first;
    }
    const double difference = second - first;
    switch (hue) {
    case HueInterpolation::Shorter:
        if (difference > 180.0)
            first += 360.0;
        else if (difference < -180.0)
            second += 360.0;
        break;
    case HueInterpolation::Longer:
        if (difference > 0.0 && difference < 180.0)
            first += 360.0;
        else if (difference > -180.0 && difference <= 0.0)
            second += 360.0;
        break;
    case HueInterpolation::Increasing:
        if (second < first)
            second += 360.0;
        break;
    case HueInterpolation::Decreasing:
        if (first < second)
            first += 360.0;
        break;
    }
}

} // namespace huespan
