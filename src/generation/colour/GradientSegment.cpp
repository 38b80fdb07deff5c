#include "GradientSegment.h"

#include "ColourMatrices.h"
#include "GamutMapping.h"
#include "SrgbEncoder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace huespan {

namespace {

ColourCoordinates unitSrgb(const ColourTriple& colour)
{
    return {colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0};
}

qint16 nearestComponent(double value)
{
    return static_cast<qint16>(std::nearbyint(std::clamp(value, 0.0, 255.0)));
}

bool isWhole(double value)
{
    return std::floor(value) == value && std::fabs(value) < std::numeric_limits<int>::max() / 2;
}

// Which coordinate of a polar space holds its hue.
int hueIndex(ColourSpace space)
{
    return space == ColourSpace::Hsl ? 0 : 2;
}

} // namespace

GradientSegment::GradientSegment(const ColourStop& from, const ColourStop& to, double fromUnit, double toUnit,
                                 ColourSpace space, HueInterpolation hue)
    : m_space(space)
    , m_fromColour(from.colour)
    , m_toColour(to.colour)
    , m_fromUnit(fromUnit)
    , m_span(toUnit - fromUnit)
{
    if (space == ColourSpace::Srgb) {
        // In the components' own scale, so that a stretch of whole units can use today's arithmetic.
        m_start = {double(from.colour.red), double(from.colour.green), double(from.colour.blue)};
        m_delta = {to.colour.red - m_start[0], to.colour.green - m_start[1], to.colour.blue - m_start[2]};
        if (isWhole(m_fromUnit) && isWhole(m_span))
            m_wholeUnitSteps.emplace(from.colour, to.colour, static_cast<int>(m_span));
        return;
    }
    m_start = srgbToSpace(space, unitSrgb(from.colour));
    ColourCoordinates end = srgbToSpace(space, unitSrgb(to.colour));
    if (isPolar(space)) {
        const int h = hueIndex(space);
        fixUpHues(m_start[h], end[h], hue);
    }
    for (int i = 0; i < 3; ++i)
        m_delta[i] = end[i] - m_start[i];
}

ColourCoordinates GradientSegment::coordinatesAt(double fraction) const
{
    return {m_start[0] + m_delta[0] * fraction, m_start[1] + m_delta[1] * fraction,
            m_start[2] + m_delta[2] * fraction};
}

ColourCoordinates GradientSegment::linearInGamut(const ColourCoordinates& coordinates) const
{
    if (m_space == ColourSpace::LinearSrgb) {
        // Between two colours of the gamut, so inside it but for rounding.
        return clippedIntoSrgb(coordinates);
    }
    const ColourCoordinates oklab = m_space == ColourSpace::Oklch ? oklchToOklab(coordinates) : coordinates;
    return broughtIntoGamut(coordinates, oklabToLinearSrgb(oklab));
}

ColourCoordinates GradientSegment::broughtIntoGamut(const ColourCoordinates& coordinates,
                                                    const ColourCoordinates& linear) const
{
    if (inSrgbGamut(linear))
        return linear;
    const double lightness = coordinates[0];
    if (lightness > 0.0 && lightness < 1.0 && barelyOutsideSrgb(linear)) {
        return clippedIntoSrgb(linear);
    }
    return mapOklchIntoSrgb(m_space == ColourSpace::Oklch ? coordinates : oklabToOklch(coordinates));
}

ColourTriple GradientSegment::colourAt(double unit) const
{
    if (unit <= m_fromUnit)
        return m_fromColour;
    if (unit >= toUnit())
        return m_toColour;
    const double position = unit - m_fromUnit;
    if (m_space == ColourSpace::Srgb) {
        if (m_wholeUnitSteps && isWhole(position))
            return m_wholeUnitSteps->at(static_cast<int>(position));
        const ColourCoordinates value = coordinatesAt(position / m_span);
        return {nearestComponent(value[0]), nearestComponent(value[1]), nearestComponent(value[2])};
    }
    const ColourCoordinates coordinates = coordinatesAt(position / m_span);
    if (m_space == ColourSpace::Hsl) {
        const ColourCoordinates srgb = hslToSrgb(coordinates);
        return {nearestComponent(srgb[0] * 255.0), nearestComponent(srgb[1] * 255.0),
                nearestComponent(srgb[2] * 255.0)};
    }
    const ColourCoordinates linear = linearInGamut(coordinates);
    return {SrgbEncoder::encode(linear[0]), SrgbEncoder::encode(linear[1]), SrgbEncoder::encode(linear[2])};
}

void GradientSegment::unitColours(qsizetype first, qsizetype end, ColourTriple* out) const
{
    qsizetype i = first;
    // The stop's own colour where a unit falls on it.
    for (; i < end && static_cast<double>(i) <= m_fromUnit; ++i)
        out[i] = m_fromColour;
    if (i >= end)
        return;
    switch (m_space) {
    case ColourSpace::Srgb:
        if (m_wholeUnitSteps) {
            const auto from = static_cast<qsizetype>(m_fromUnit);
            for (; i < end; ++i)
                out[i] = m_wholeUnitSteps->at(static_cast<int>(i - from));
            return;
        }
        break;
    case ColourSpace::LinearSrgb:
    case ColourSpace::Oklab:
    case ColourSpace::Oklch:
    case ColourSpace::Hsl:
        break;
    }
    for (; i < end; ++i)
        out[i] = colourAt(static_cast<double>(i));
}

} // namespace huespan
