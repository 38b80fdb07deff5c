#include "GamutMapping.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace huespan {

namespace {

constexpr double justNoticeableDifference = 0.02;
constexpr double chromaPrecision = 0.0001;

ColourCoordinates clipped(const ColourCoordinates& linear)
{
    return {std::clamp(linear[0], 0.0, 1.0), std::clamp(linear[1], 0.0, 1.0),
            std::clamp(linear[2], 0.0, 1.0)};
}

double deltaEOK(const ColourCoordinates& first, const ColourCoordinates& second)
{
    const double dL = first[0] - second[0];
    const double da = first[1] - second[1];
    const double db = first[2] - second[2];
    return std::sqrt(dL * dL + da * da + db * db);
}

} // namespace

bool inSrgbGamut(const ColourCoordinates& linear)
{
    return std::ranges::all_of(linear, [](double component) { return component >= 0.0 && component <= 1.0; });
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

    ColourCoordinates clip = clipped(linear);
    if (deltaEOK(linearSrgbToOklab(clip), current) < justNoticeableDifference)
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
        clip = clipped(candidate);
        const double difference = deltaEOK(linearSrgbToOklab(clip), current);
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
