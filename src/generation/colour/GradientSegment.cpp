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

// How many units a component may go on, moving towards a boundary room away by slope per unit
// give or take curve / 2 per unit squared (and 1e-12 per unit for the slope's rounding), before it
// can reach the boundary: the largest k with (slope + 1e-12) k + curve k^2 / 2 <= room.
double unitsWithin(double room, double slope, double curve)
{
    if (room <= 0.0)
        return 0.0;
    const double speed = std::max(slope, 0.0) + 1e-12;
    if (curve <= 0.0)
        return room / speed;
    return (std::sqrt(speed * speed + 2.0 * curve * room) - speed) / curve;
}

// oklabToLinearSrgb, inline for the loop over units.
ColourCoordinates quickOklabToLinearSrgb(const ColourCoordinates& oklab)
{
    using namespace ColourMatrices;
    const ColourCoordinates roots = multiply(oklabToLms, oklab);
    return multiply(lmsToLinearSrgbMatrix, {roots[0] * roots[0] * roots[0], roots[1] * roots[1] * roots[1],
                                            roots[2] * roots[2] * roots[2]});
}

// How closely clippedDistanceEstimate knows a distance, with room to spare.
constexpr double clipUncertainty = 1e-6;

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
    case ColourSpace::Oklab:
    case ColourSpace::Oklch:
    case ColourSpace::LinearSrgb:
        quickUnitColours(i, end, out);
        return;
    case ColourSpace::Hsl:
        break;
    }
    for (; i < end; ++i)
        out[i] = colourAt(static_cast<double>(i));
}

bool GradientSegment::clearOfDoubt(const SrgbEncoder::StepTable& steps, const ColourCoordinates& oklab,
                                   const ColourCoordinates& linear, const ColourTriple& codes, double margin,
                                   double& clipDistance) const
{
    clipDistance = std::numeric_limits<double>::infinity();
    const auto clearOfSteps = [&](int channel, qint16 code) {
        return SrgbEncoder::clearOfSteps(steps, std::clamp(linear[channel], 0.0, 1.0), code, margin);
    };
    if (!clearOfSteps(0, codes.red) || !clearOfSteps(1, codes.green) || !clearOfSteps(2, codes.blue))
        return false;
    // Linear sRGB never leaves the gamut but for rounding, and is clamped.
    if (m_space == ColourSpace::LinearSrgb)
        return true;
    if (std::ranges::all_of(
            linear, [&](double component) { return component >= margin && component <= 1.0 - margin; })) {
        clipDistance = 0.0;
        return true;
    }
    // Near or beyond the gamut's edge the exact colour is clipped when the clip lies within the
    // just-noticeable difference: the same codes as the clamped quick values, as long as that is
    // certain.
    clipDistance = clippedDistanceEstimate(oklab, linear);
    return clipDistance < justNoticeableDifference - clipUncertainty;
}

GradientSegment::ChangeBounds GradientSegment::changeBounds() const
{
    // From bounds of each step of the conversion, anywhere on the segment, per unit: the change
    // of the OKLab coordinates (first and second derivatives), of the cube roots of the cone
    // responses (r = A Lab) and their largest size, then the responses r^3 and linear sRGB
    // (B r^3), whose second derivative is B (6 r r'^2 + 3 r^2 r'').
    ChangeBounds bounds{};
    if (m_space == ColourSpace::LinearSrgb) {
        for (int c = 0; c < 3; ++c)
            bounds.first[c] = std::fabs(m_delta[c]) / m_span;
        bounds.fastest = std::ranges::max(bounds.first);
        return bounds;
    }
    const auto largest = [this](int coordinate) {
        return std::max(std::fabs(m_start[coordinate]), std::fabs(m_start[coordinate] + m_delta[coordinate]));
    };
    const double lightnessChange = std::fabs(m_delta[0]) / m_span;
    double aChange = std::fabs(m_delta[1]) / m_span;
    double bChange = std::fabs(m_delta[2]) / m_span;
    double abCurve = 0.0;
    double largestA = largest(1);
    double largestB = largest(2);
    if (m_space == ColourSpace::Oklch) {
        // a = C cos h, b = C sin h with C and h linear: a' and b' are at most |C'| + C |h'|,
        // a'' and b'' at most 2 |C'| |h'| + C h'^2.
        const double chroma = largest(1);
        const double chromaChange = std::fabs(m_delta[1]) / m_span;
        const double hueChange = std::fabs(m_delta[2]) / m_span * std::numbers::pi / 180.0;
        aChange = chromaChange + chroma * hueChange;
        bChange = aChange;
        abCurve = 2.0 * chromaChange * hueChange + chroma * hueChange * hueChange;
        largestA = chroma;
        largestB = chroma;
    }
    using ColourMatrices::lmsToLinearSrgbMatrix;
    using ColourMatrices::oklabToLms;
    ColourCoordinates responseChange{};
    ColourCoordinates responseCurve{};
    for (int j = 0; j < 3; ++j) {
        const double weightA = std::fabs(oklabToLms[j][1]);
        const double weightB = std::fabs(oklabToLms[j][2]);
        const double rootChange = lightnessChange + weightA * aChange + weightB * bChange;
        const double rootCurve = (weightA + weightB) * abCurve;
        const double root = largest(0) + weightA * largestA + weightB * largestB;
        responseChange[j] = 3.0 * root * root * rootChange;
        responseCurve[j] = 6.0 * root * rootChange * rootChange + 3.0 * root * root * rootCurve;
    }
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j < 3; ++j) {
            bounds.first[c] += std::fabs(lmsToLinearSrgbMatrix[c][j]) * responseChange[j];
            bounds.second[c] += std::fabs(lmsToLinearSrgbMatrix[c][j]) * responseCurve[j];
        }
        // Room for the rounding of the bounds' own arithmetic.
        bounds.first[c] *= 1.01;
        bounds.second[c] *= 1.01;
    }
    bounds.fastest = std::ranges::max(bounds.first);
    bounds.lightness = lightnessChange * 1.01;
    bounds.oklab =
        std::sqrt(lightnessChange * lightnessChange + aChange * aChange + bChange * bChange) * 1.01;
    return bounds;
}

ColourCoordinates GradientSegment::linearChangeAt(const ColourCoordinates& coordinates, double cosine,
                                                  double sine) const
{
    // The derivative of linear sRGB by the unit, at one unit: B diag(3 r^2) A Lab'.
    ColourCoordinates labChange{m_delta[0] / m_span, m_delta[1] / m_span, m_delta[2] / m_span};
    ColourCoordinates lab = coordinates;
    if (m_space == ColourSpace::Oklch) {
        const double chromaChange = m_delta[1] / m_span;
        const double hueChange = m_delta[2] / m_span * std::numbers::pi / 180.0;
        labChange = {m_delta[0] / m_span, chromaChange * cosine - coordinates[1] * sine * hueChange,
                     chromaChange * sine + coordinates[1] * cosine * hueChange};
        lab = {coordinates[0], coordinates[1] * cosine, coordinates[1] * sine};
    }
    using namespace ColourMatrices;
    const ColourCoordinates roots = multiply(oklabToLms, lab);
    const ColourCoordinates rootChange = multiply(oklabToLms, labChange);
    return multiply(lmsToLinearSrgbMatrix,
                    {3.0 * roots[0] * roots[0] * rootChange[0], 3.0 * roots[1] * roots[1] * rootChange[1],
                     3.0 * roots[2] * roots[2] * rootChange[2]});
}

double GradientSegment::unitsWithinReach(const ColourCoordinates& oklab, const ColourCoordinates& linear,
                                         double clipDistance, const ChangeBounds& change, double units) const
{
    // The gamut mapping clips a colour whose lightness lies strictly between 0 and 1 and whose
    // clipped colour lies within the JND. Lightness changes steadily; the distance changes by at
    // most the speed of the colour in OKLab plus that of its clip, whose cone responses (sums
    // with positive weights adding up to 1 of components clipped) move no faster than the
    // fastest component, and whose cube roots move by that over 3 m^(2/3), m the least response
    // on the way; OKLab being at most 6 times the roots' largest change.
    units = std::floor(units);
    if (change.lightness > 0.0)
        units = std::min({units, std::floor(oklab[0] / change.lightness) - 1.0,
                          std::floor((1.0 - oklab[0]) / change.lightness) - 1.0});
    const ColourCoordinates clip = clippedIntoSrgb(linear);
    const double leastResponse = std::ranges::min(linearSrgbToLms(clip)) - 1e-9;
    for (; units > 0.0; units = std::floor(units / 2.0)) {
        const double least = leastResponse - units * change.fastest * 1.001;
        if (least <= 0.0)
            continue;
        const double root = std::cbrt(least);
        const double speed = change.oklab + 2.0 * change.fastest * 1.001 / (root * root);
        if (clipDistance + units * speed < justNoticeableDifference - 2.0 * clipUncertainty)
            return units;
    }
    return 0.0;
}

void GradientSegment::quickUnitColours(qsizetype first, qsizetype end, ColourTriple* out) const
{
    // A unit whose linear components all lie clear of the gamut's edges and of the steps of the
    // 8-bit encoding by more than this gets its colour from the quick values; any other unit is
    // worked out exactly by colourAt. The quick values differ from the exact ones by less than
    // 1e-12: the only approximation is OKLCH's cosine and sine, carried from unit to unit by a
    // rotation and taken afresh every rotationRun units.
    constexpr double margin = 1e-9;
    constexpr int rotationRun = 64;
    const bool polar = m_space == ColourSpace::Oklch;
    const double stepRadians = m_delta[2] / m_span * std::numbers::pi / 180.0;
    const double stepCosine = polar ? std::cos(stepRadians) : 1.0;
    const double stepSine = polar ? std::sin(stepRadians) : 0.0;
    double cosine = 1.0;
    double sine = 0.0;
    int rotations = rotationRun;
    const SrgbEncoder::StepTable& steps = SrgbEncoder::stepTable();
    const ChangeBounds change = changeBounds();
    // Where a code's range meets the gamut's edge the range ends there, except in linear sRGB,
    // which is clamped.
    const double floor = m_space == ColourSpace::LinearSrgb ? -std::numeric_limits<double>::infinity() : 0.0;
    const double ceiling = m_space == ColourSpace::LinearSrgb ? std::numeric_limits<double>::infinity() : 1.0;

    ColourTriple previous{};
    for (qsizetype i = first; i < end; ++i) {
        const ColourCoordinates coordinates = coordinatesAt((static_cast<double>(i) - m_fromUnit) / m_span);
        ColourCoordinates linear;
        ColourCoordinates oklab = coordinates;
        if (m_space == ColourSpace::LinearSrgb) {
            linear = coordinates;
        } else if (polar) {
            if (rotations == rotationRun) {
                const double radians = coordinates[2] * std::numbers::pi / 180.0;
                cosine = std::cos(radians);
                sine = std::sin(radians);
                rotations = 0;
            } else {
                const double rotatedCosine = cosine * stepCosine - sine * stepSine;
                sine = sine * stepCosine + cosine * stepSine;
                cosine = rotatedCosine;
                ++rotations;
            }
            oklab = {coordinates[0], coordinates[1] * cosine, coordinates[1] * sine};
            linear = quickOklabToLinearSrgb(oklab);
        } else {
            linear = quickOklabToLinearSrgb(coordinates);
        }
        const ColourTriple quick{
            SrgbEncoder::encodeNear(steps, std::clamp(linear[0], 0.0, 1.0), previous.red),
            SrgbEncoder::encodeNear(steps, std::clamp(linear[1], 0.0, 1.0), previous.green),
            SrgbEncoder::encodeNear(steps, std::clamp(linear[2], 0.0, 1.0), previous.blue)};
        double clipDistance = 0.0;
        if (!clearOfDoubt(steps, oklab, linear, quick, margin, clipDistance)) {
            previous = colourAt(static_cast<double>(i));
            out[i] = previous;
            continue;
        }
        previous = quick;
        out[i] = quick;

        // The following units keep these codes for as long as it is certain that no component
        // has left its code's range: they are filled without being computed. After k units a
        // component has moved by k times its derivative here, give or take k^2 / 2 times the
        // bound of its second derivative (and k times the error of the derivative, below 1e-12).
        const ColourCoordinates slope =
            m_space == ColourSpace::LinearSrgb
                ? ColourCoordinates{m_delta[0] / m_span, m_delta[1] / m_span, m_delta[2] / m_span}
                : linearChangeAt(coordinates, cosine, sine);
        const auto unitsInRanges = [&](double low, double high) {
            double units = static_cast<double>(end - i);
            const std::array<qint16, 3> codes{quick.red, quick.green, quick.blue};
            for (int c = 0; c < 3; ++c) {
                const double below = linear[c] - std::max(steps[codes[c]], low) - 2.0 * margin;
                const double above = std::min(steps[codes[c] + 1], high) - linear[c] - 2.0 * margin;
                units = std::min({units, unitsWithin(above, slope[c], change.second[c]),
                                  unitsWithin(below, -slope[c], change.second[c])});
            }
            return units;
        };
        // Either the colour stays inside the gamut, each range ending at the gamut's edge...
        double units = unitsInRanges(floor, ceiling);
        // ... or it stays within the JND of the gamut (the gamut mapping then clips it, and a
        // clipped component keeps the code of its end of the range).
        // (Worth its cost only where the first gives little.)
        if (m_space != ColourSpace::LinearSrgb && units < 8.0 &&
            clipDistance < justNoticeableDifference - clipUncertainty)
            units = std::max(units, unitsWithinReach(oklab, linear, clipDistance, change,
                                                     unitsInRanges(-std::numeric_limits<double>::infinity(),
                                                                   std::numeric_limits<double>::infinity())));
        const qsizetype fill = std::min(end - i - 1, static_cast<qsizetype>(std::floor(units)));
        if (fill > 0) {
            std::fill(out + i + 1, out + i + 1 + fill, quick);
            i += fill;
            // The rotation starts afresh at the next unit computed.
            rotations = rotationRun;
        }
    }
}

} // namespace huespan
