#include "GamutMapping.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace huespan {

namespace {

constexpr double chromaPrecision = 0.0001;

// Farther than this from a threshold, the quick distance below decides a comparison as the exact
// one would: its cube roots are good to 1e-14 of their size, which moves the distance by
// less than 1e-13.
constexpr double quickDistanceMargin = 1e-9;

double deltaEOK(const ColourCoordinates& first, const ColourCoordinates& second)
{
    const double dL = first[0] - second[0];
    const double da = first[1] - second[1];
    const double db = first[2] - second[2];
    return std::sqrt(dL * dL + da * da + db * db);
}

// A cube root without the library call, for the cone responses of colours inside the gamut: a
// guess from the exponent bits (within a few percent), then two Halley steps, each of which
// cubes the relative error.
double quickCubeRoot(double x)
{
    if (!(x > 1e-200))
        return std::cbrt(x);
    double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) / 3 + (std::uint64_t{715094163} << 32));
    for (int step = 0; step < 2; ++step) {
        const double cube = y * y * y;
        y *= (cube + 2.0 * x) / (2.0 * cube + x);
    }
    return y;
}

// deltaEOK between a colour clipped into the gamut (linear light) and an OKLab colour. The quick
// cube roots answer unless the result lies near one of the thresholds the search compares it
// with; there the library's cube roots give it exactly as the plain conversion does.
double clippedDistance(const ColourCoordinates& clip, const ColourCoordinates& oklab, double threshold,
                       double secondThreshold)
{
    const ColourCoordinates lms = linearSrgbToLms(clip);
    const double quick = deltaEOK(
        lmsRootsToOklab({quickCubeRoot(lms[0]), quickCubeRoot(lms[1]), quickCubeRoot(lms[2])}), oklab);
    if (std::fabs(quick - threshold) > quickDistanceMargin &&
        std::fabs(quick - secondThreshold) > quickDistanceMargin)
        return quick;
    return deltaEOK(linearSrgbToOklab(clip), oklab);
}

} // namespace

ColourCoordinates clippedIntoSrgb(const ColourCoordinates& linear)
{
    return {std::clamp(linear[0], 0.0, 1.0), std::clamp(linear[1], 0.0, 1.0),
            std::clamp(linear[2], 0.0, 1.0)};
}

bool inSrgbGamut(const ColourCoordinates& linear)
{
    return std::ranges::all_of(linear, [](double component) { return component >= 0.0 && component <= 1.0; });
}

bool barelyOutsideSrgb(const ColourCoordinates& linear, double margin)
{
    // Clipping moves each component by at most the excursion e. The cone responses are sums of
    // the components with positive weights adding up to 1, so they move by at most e too, and
    // none of them, before or after, falls below m = (least response) - e. Their cube roots move
    // by at most e / (3 m^(2/3)), and OKLab (a matrix of Frobenius norm below 3.5) by at most
    // 6 times that: 2 e / m^(2/3). That stays below half the JND while (200 e)^3 < m^2.
    const auto [least, most] = std::ranges::minmax(linear);
    const double excursion = std::max({0.0, -least, most - 1.0}) + margin;
    const ColourCoordinates lms = linearSrgbToLms(linear);
    const double leastResponse = std::ranges::min(lms) - 1.001 * excursion - margin;
    const double scaled = 200.0 * excursion;
    return leastResponse > 0.0 && scaled * scaled * scaled < leastResponse * leastResponse;
}

ColourCoordinates mapOklchIntoSrgb(const ColourCoordinates& oklch)
{
    const double lightness = oklch[0];
    if (lightness >= 1.0)
        return {1.0, 1.0, 1.0};
    if (lightness <= 0.0)
        return {0.0, 0.0, 0.0};

    // The hue stays fixed while the chroma moves, so its cosine and sine are taken once; the
    // products are the same as those of the OKLCH to OKLab conversion.
    const double radians = std::isnan(oklch[2]) ? 0.0 : oklch[2] * std::numbers::pi / 180.0;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    const auto oklabAt = [&](double chroma) {
        return ColourCoordinates{lightness, chroma * cosine, chroma * sine};
    };

    ColourCoordinates current = oklabAt(oklch[1]);
    const ColourCoordinates linear = oklabToLinearSrgb(current);
    if (inSrgbGamut(linear))
        return linear;

    // The search compares distances with the JND and with the JND less the precision.
    const double nearlyJnd = justNoticeableDifference - chromaPrecision;
    ColourCoordinates clip = clippedIntoSrgb(linear);
    if (clippedDistance(clip, current, justNoticeableDifference, nearlyJnd) < justNoticeableDifference)
        return clip;

    double min = 0.0;
    double max = oklch[1];
    bool minInGamut = true;
    while (max - min > chromaPrecision) {
        const double chroma = (min + max) / 2.0;
        current = oklabAt(chroma);
        const ColourCoordinates candidate = oklabToLinearSrgb(current);
        if (minInGamut && inSrgbGamut(candidate)) {
            min = chroma;
            continue;
        }
        clip = clippedIntoSrgb(candidate);
        const double difference = clippedDistance(clip, current, justNoticeableDifference, nearlyJnd);
        if (difference < justNoticeableDifference) {
            if (justNoticeableDifference - difference < chromaPrecision)
                return clip;
            minInGamut = false;
            min = chroma;
        } else {
            max = chroma;
        }
    }
    return clip;
}

} // namespace huespan
