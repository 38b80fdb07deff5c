#include "ColourStop.h"

#include <algorithm>
#include <cmath>

namespace huespan {

std::vector<ColourStop> resolveStopPositions(std::vector<ColourStop> stops)
{
    if (stops.empty())
        return stops;
    for (ColourStop& stop : stops) {
        // A position that is not a number says nothing: it is placed like a missing one.
        if (stop.position && std::isnan(*stop.position))
            stop.position.reset();
        if (stop.position)
            stop.position = std::clamp(*stop.position, 0.0, 100.0);
    }
    if (!stops.front().position)
        stops.front().position = 0.0;
    if (!stops.back().position)
        stops.back().position = 100.0;

    double highest = 0.0;
    for (ColourStop& stop : stops) {
        if (stop.position) {
            stop.position = std::max(*stop.position, highest);
            highest = *stop.position;
        }
    }

    // Runs of missing positions, each between two positioned stops.
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (stops[i].position)
            continue;
        std::size_t next = i;
        while (!stops[next].position)
            ++next;
        const double from = *stops[i - 1].position;
        const double to = *stops[next].position;
        const auto steps = static_cast<double>(next - (i - 1));
        for (std::size_t j = i; j < next; ++j)
            stops[j].position = from + (to - from) * static_cast<double>(j - (i - 1)) / steps;
        i = next;
    }
    return stops;
}

std::vector<ColourStop> mirroredStops(const std::vector<ColourStop>& resolved)
{
    std::vector<ColourStop> mirrored;
    mirrored.reserve(resolved.size() * 2);
    for (const ColourStop& stop : resolved)
        mirrored.push_back({stop.colour, stop.position.value_or(0.0) / 2.0});
    for (auto stop = resolved.rbegin(); stop != resolved.rend(); ++stop) {
        ColourStop image{stop->colour, 100.0 - stop->position.value_or(0.0) / 2.0};
        if (image != mirrored.back() || stop != resolved.rbegin())
            mirrored.push_back(image);
    }
    return mirrored;
}

std::vector<ColourStop> reversedStops(const std::vector<ColourStop>& resolved)
{
    std::vector<ColourStop> reversed;
    reversed.reserve(resolved.size());
    for (auto stop = resolved.rbegin(); stop != resolved.rend(); ++stop)
        reversed.push_back(
            {stop->colour, stop->position ? std::optional(100.0 - *stop->position) : std::nullopt});
    return reversed;
}

} // namespace huespan
