#include "ContrastFloor.h"

#include "ColourSpace.h"
#include "GamutMapping.h"
#include "SrgbEncoder.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace huespan {

namespace {

double linearComponent(qint16 component)
{
    return srgbToLinear(component / 255.0);
}

ColourTriple encoded(const ColourCoordinates& linear)
{
    return {SrgbEncoder::encode(linear[0]), SrgbEncoder::encode(linear[1]), SrgbEncoder::encode(linear[2])};
}

quint32 key(const ColourTriple& colour)
{
    return static_cast<quint32>(colour.red) << 16 | static_cast<quint32>(colour.green) << 8 |
           static_cast<quint32>(colour.blue);
}

// Enough halvings of a lightness interval of at most 1 that its end lies closer than any step
// of an 8-bit component.
constexpr int kHalvings = 20;

} // namespace

namespace Contrast {

double relativeLuminance(const ColourTriple& colour)
{
    return 0.2126 * linearComponent(colour.red) + 0.7152 * linearComponent(colour.green) +
           0.0722 * linearComponent(colour.blue);
}

double ratio(const ColourTriple& first, const ColourTriple& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QString ratioText(double ratio)
{
    return QString::number(std::floor(ratio * 100.0) / 100.0, 'f', 2) + QStringLiteral(":1");
}

} // namespace Contrast

ContrastRaiser::ContrastRaiser(const ContrastFloor& floor)
    : m_floor(floor)
    , m_backgroundLuminance(Contrast::relativeLuminance(floor.background))
{
}

bool ContrastRaiser::reaches(const ColourTriple& colour) const
{
    const double luminance = Contrast::relativeLuminance(colour);
    return (std::max(luminance, m_backgroundLuminance) + 0.05) /
               (std::min(luminance, m_backgroundLuminance) + 0.05) >=
           m_floor.ratio;
}

ColourTriple ContrastRaiser::raised(const ColourTriple& colour)
{
    auto known = m_known.find(key(colour));
    if (known == m_known.end())
        known = m_known.emplace(key(colour), search(colour)).first;
    return known->second;
}

ColourTriple ContrastRaiser::search(const ColourTriple& colour) const
{
    if (reaches(colour))
        return colour;
    const ColourCoordinates linear{linearComponent(colour.red), linearComponent(colour.green),
                                   linearComponent(colour.blue)};
    ColourCoordinates oklch = oklabToOklch(linearSrgbToOklab(linear));
    // A grey has no hue; any hue at no chroma is the same grey.
    if (std::isnan(oklch[2]))
        oklch = {oklch[0], 0.0, 0.0};
    const double lightness = oklch[0];
    const auto atLightness = [&oklch](double l) {
        return encoded(mapOklchIntoSrgb({l, oklch[1], oklch[2]}));
    };

    // Along each direction the luminance only grows or only falls, so the colours that reach the
    // floor are those past one lightness: halve the interval to the nearest of them.
    std::optional<ColourTriple> best;
    double bestChange = 2.0;
    for (const double end : {0.0, 1.0}) {
        if (!reaches(atLightness(end)))
            continue;
        double near = lightness;
        double far = end;
        for (int step = 0; step < kHalvings; ++step) {
            const double middle = (near + far) / 2.0;
            (reaches(atLightness(middle)) ? far : near) = middle;
        }
        const double change = std::abs(far - lightness);
        if (change < bestChange) {
            bestChange = change;
            best = atLightness(far);
        }
    }
    if (best)
        return *best;

    const ColourTriple black{0, 0, 0};
    const ColourTriple white{255, 255, 255};
    const bool blackIsBetter =
        Contrast::ratio(black, m_floor.background) >= Contrast::ratio(white, m_floor.background);
    return blackIsBetter ? black : white;
}

} // namespace huespan
