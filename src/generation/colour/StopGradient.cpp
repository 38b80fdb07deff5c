#include "StopGradient.h"

#include "GradientSegment.h"

#include <algorithm>
#include <cmath>

namespace huespan {

StopGradient::StopGradient(std::vector<ColourStop> stops, ColourSpace space, HueInterpolation hue,
                           SharedPosition shared)
    : m_stops(resolveStopPositions(std::move(stops)))
    , m_space(space)
    , m_hue(hue)
    , m_shared(shared)
{
    // Fewer stops than two make a gradient of one colour (black without any).
    if (m_stops.empty())
        m_stops.push_back({ColourTriple{}, 0.0});
    if (m_stops.size() == 1)
        m_stops.push_back({m_stops.front().colour, 100.0});
}

std::vector<double> StopGradient::stopUnits(double span) const
{
    std::vector<double> units;
    units.reserve(m_stops.size());
    // Multiplied before dividing, so that a stop at 100 lands exactly on the last unit.
    for (const ColourStop& stop : m_stops)
        units.push_back(*stop.position * span / 100.0);
    return units;
}

std::optional<std::size_t> StopGradient::holdingStop(const std::vector<double>& units, double unit) const
{
    const auto [first, end] = std::equal_range(units.begin(), units.end(), unit);
    if (end - first < 2)
        return std::nullopt;
    const auto held = m_shared == SharedPosition::LaterStopHolds ? end - 1 : first;
    return static_cast<std::size_t>(held - units.begin());
}

ColourTriple StopGradient::colourOnAxis(double unit, double span) const
{
    const std::vector<double> units = stopUnits(span);
    if (const std::optional<std::size_t> held = holdingStop(units, unit))
        return m_stops[*held].colour;
    // Otherwise the ends of the axis take the end stops.
    if (!(unit > 0.0))
        return m_stops.front().colour;
    if (unit >= span)
        return m_stops.back().colour;
    if (unit >= units.back())
        return m_stops.back().colour;
    if (!(unit > units.front()))
        return m_stops.front().colour;
    // The last stop at or before the point; the next one lies beyond it.
    const auto next = std::upper_bound(units.begin(), units.end(), unit);
    const auto k = static_cast<std::size_t>(next - units.begin()) - 1;
    const GradientSegment segment(m_stops[k], m_stops[k + 1], units[k], units[k + 1], m_space, m_hue);
    return segment.colourAt(unit);
}

ColourTriple StopGradient::colourAt(double percent) const
{
    return colourOnAxis(percent, 100.0);
}

ColourTriple StopGradient::unitColour(qsizetype index, qsizetype count) const
{
    if (count <= 1)
        return m_stops.front().colour;
    return colourOnAxis(static_cast<double>(index), static_cast<double>(count - 1));
}

void StopGradient::unitColours(qsizetype count, std::vector<ColourTriple>& out) const
{
    out.resize(static_cast<std::size_t>(std::max<qsizetype>(count, 0)));
    if (count <= 1) {
        if (count == 1)
            out.front() = m_stops.front().colour;
        return;
    }
    const std::vector<double> units = stopUnits(static_cast<double>(count - 1));
    // The first and the last unit take the end stops. Between them, units up to the first stop
    // take its colour, units from the last stop on take the last stop's; each segment fills the
    // units from its start up to the start of the next one.
    const qsizetype last = count - 1;
    out.front() = m_stops.front().colour;
    qsizetype i = 1;
    for (; i < last && !(static_cast<double>(i) > units.front()) && static_cast<double>(i) < units.back();
         ++i)
        out[i] = m_stops.front().colour;
    for (std::size_t k = 0; k + 1 < m_stops.size(); ++k) {
        if (!(units[k] < units[k + 1]))
            continue;
        const qsizetype end = std::min(static_cast<qsizetype>(std::ceil(units[k + 1])), last);
        if (i < end) {
            const GradientSegment segment(m_stops[k], m_stops[k + 1], units[k], units[k + 1], m_space, m_hue);
            segment.unitColours(i, end, out.data());
            i = end;
        }
    }
    for (; i <= last; ++i)
        out[i] = m_stops.back().colour;
    // A unit that falls on a position several stops share takes the stop that holds there.
    for (std::size_t k = 0; k + 1 < units.size(); ++k) {
        const double place = units[k];
        if (units[k + 1] != place || place != std::floor(place))
            continue;
        if (const std::optional<std::size_t> held = holdingStop(units, place))
            out[static_cast<std::size_t>(place)] = m_stops[*held].colour;
    }
}

} // namespace huespan
