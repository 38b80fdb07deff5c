#include "UnitColours.h"

#include "ColourValues.h"
#include "ColourWalk.h"
#include "ContrastFloor.h"
#include "StopGradient.h"

#include <algorithm>

namespace huespan::UnitColours {

namespace {

void appendLeftToRight(std::vector<ColourTriple>& out, const ColourTriple& start, const ColourTriple& end,
                       int count)
{
    ColourWalk steps(start, end, count - 1);
    out.push_back(start);
    for (int i = 2; i < count; ++i)
        out.push_back(steps.at(i - 1));
    out.push_back(end);
}

// The stops as given, or the two colours of the component texts at 0 and 100 %.
std::vector<ColourStop> givenStops(const GradientSettings& settings)
{
    if (!settings.extended.stops.empty())
        return resolveStopPositions(settings.extended.stops);
    const auto [first, second] = ReadColours(settings);
    return {ColourStop{first, 0.0}, ColourStop{second, 100.0}};
}

// Two stops at the ends: the gradient that the exact arithmetic draws in sRGB.
bool isPlainPair(const std::vector<ColourStop>& stops)
{
    return stops.size() == 2 && stops.front().position == 0.0 && stops.back().position == 100.0;
}

bool takesExactArithmetic(const GradientSettings& settings, const std::vector<ColourStop>& stops)
{
    if (settings.extended.space != ColourSpace::Srgb)
        return false;
    // Given stops are mirrored in the both-sides form, which the exact arithmetic is not.
    return settings.extended.stops.empty() ||
           (settings.form == GradientForm::LeftToRight && isPlainPair(stops));
}

} // namespace

std::vector<ColourTriple> twoColourSchedule(GradientForm form, const ColourTriple& first,
                                            const ColourTriple& second, int n)
{
    std::vector<ColourTriple> out;
    out.reserve(static_cast<size_t>(n));
    if (form == GradientForm::LeftToRight) {
        appendLeftToRight(out, first, second, n);
        return out;
    }
    // Both halves have h characters; for an odd length they share the centre.
    const bool odd = n % 2 != 0;
    const int h = n / 2 + (odd ? 1 : 0);
    appendLeftToRight(out, first, second, h);
    if (odd)
        out.pop_back();
    appendLeftToRight(out, second, first, h);
    return out;
}

std::vector<ColourTriple> schedule(const GradientSettings& settings, int n)
{
    const std::vector<ColourStop> stops = givenStops(settings);
    std::vector<ColourTriple> colours;
    if (takesExactArithmetic(settings, stops)) {
        colours =
            twoColourSchedule(settings.extended.stops.empty() ? settings.form : GradientForm::LeftToRight,
                              stops.front().colour, stops.back().colour, n);
    } else {
        // Reversed, the colours are read from the end: of stops sharing a position, the one that
        // comes later when read is the earlier one here.
        const auto shared = settings.extended.reverse ? StopGradient::SharedPosition::EarlierStopHolds
                                                      : StopGradient::SharedPosition::LaterStopHolds;
        const StopGradient gradient(settings.form == GradientForm::BothSidesSame ? mirroredStops(stops)
                                                                                 : stops,
                                    settings.extended.space, settings.extended.hue, shared);
        gradient.unitColours(n, colours);
    }
    if (settings.extended.reverse)
        std::reverse(colours.begin(), colours.end());
    if (settings.extended.contrastFloor) {
        ContrastRaiser raiser(*settings.extended.contrastFloor);
        for (ColourTriple& colour : colours)
            colour = raiser.raised(colour);
    }
    return colours;
}

std::vector<ColourStop> effectiveStops(const GradientSettings& settings)
{
    std::vector<ColourStop> stops = givenStops(settings);
    if (settings.form == GradientForm::BothSidesSame)
        stops = mirroredStops(stops);
    if (settings.extended.reverse)
        stops = reversedStops(stops);
    return resolveStopPositions(stops);
}

std::vector<ColourTriple> scheduleOf(const GradientSettings& settings, const TextUnits& units)
{
    const LineGradient lines = settings.extended.lines;
    if (lines == LineGradient::Whole)
        return schedule(settings, units.colouredCount());

    // The coloured units of each line.
    std::vector<int> lengths{0};
    for (qsizetype index = 0; index < units.count(); ++index) {
        if (units.kind(index) == TextUnits::Kind::LineBreak)
            lengths.push_back(0);
        else if (units.kind(index) == TextUnits::Kind::Coloured)
            ++lengths.back();
    }
    const int minimum = settings.form == GradientForm::LeftToRight ? 2 : 3;
    // The colours of a line of length units from a gradient of at least the minimum.
    const auto spread = [&](int length) {
        std::vector<ColourTriple> colours = schedule(settings, std::max(length, minimum));
        if (length >= minimum)
            return colours;
        std::vector<ColourTriple> shorter;
        for (int k = 0; k < length; ++k)
            shorter.push_back(
                colours[static_cast<size_t>(length == 1 ? 0 : k * (minimum - 1) / (length - 1))]);
        return shorter;
    };
    std::vector<ColourTriple> out;
    if (lines == LineGradient::Each) {
        for (const int length : lengths) {
            if (length > 0) {
                const std::vector<ColourTriple> line = spread(length);
                out.insert(out.end(), line.begin(), line.end());
            }
        }
    } else {
        const std::vector<ColourTriple> columns = spread(*std::max_element(lengths.begin(), lengths.end()));
        for (const int length : lengths)
            out.insert(out.end(), columns.begin(), columns.begin() + length);
    }
    return out;
}

} // namespace huespan::UnitColours
