#include "ColourWalk.h"

#include <algorithm>
#include <cmath>

namespace huespan {

namespace {

// The difference is taken in 16-bit arithmetic, as the components themselves are 16-bit.
qint16 difference(qint16 to, qint16 from)
{
    return static_cast<qint16>(to - from);
}

} // namespace

ComponentWalk::ComponentWalk(qint16 start, qint16 delta, int span)
    : m_rule(start, delta, span)
    , m_start(start)
    , m_delta(delta)
    , m_span(span)
{
}

void ComponentWalk::moveTo(int position)
{
    m_value = m_rule.at(position);
    if (m_delta == 0) {
        m_nextChange = std::numeric_limits<int>::max();
        return;
    }
    // The exact fraction leaves the value half a step beyond it; the rule's own rounding near a
    // half moves the change by a position at most, which the two walks below settle.
    const double towards = m_delta > 0 ? 0.5 : -0.5;
    const double crossing = (m_value + towards - m_start) * m_span / m_delta;
    int change = static_cast<int>(
        std::clamp(std::floor(crossing), static_cast<double>(position) + 1, static_cast<double>(m_span)));
    while (change > position + 1 && m_rule.at(change - 1) != m_value)
        --change;
    while (change < m_span && m_rule.at(change) == m_value)
        ++change;
    m_nextChange = change;
}

ColourWalk::ColourWalk(const ColourTriple& start, const ColourTriple& end, int span)
    : m_red(start.red, difference(end.red, start.red), span)
    , m_green(start.green, difference(end.green, start.green), span)
    , m_blue(start.blue, difference(end.blue, start.blue), span)
{
}

} // namespace huespan
