#pragma once

#include "ColourTriple.h"
#include "ComponentInterpolator.h"

#include <limits>

namespace huespan {

// One component of a gradient visited position by position in increasing order. The rule of
// ComponentInterpolator is monotonic in the position and a component takes at most 256 values, so
// the walk finds the position of the next change once, with the rule itself, and until then answers
// with the value it holds: the per-character loop compares integers instead of doing arithmetic.
class ComponentWalk
{
public:
    ComponentWalk(qint16 start, qint16 delta, int span);

    // The component at position (0 < position < span); positions never go back.
    qint16 at(int position)
    {
        if (position >= m_nextChange)
            moveTo(position);
        return m_value;
    }

private:
    void moveTo(int position);

    ComponentInterpolator m_rule;
    double m_start;
    double m_delta;
    int m_span;
    qint16 m_value = 0;
    int m_nextChange = std::numeric_limits<int>::min();
};

// A colour running from start to end over span steps, each component walked on its own; gives
// exactly what InterpolateComponent gives each component, for positions visited in increasing order.
class ColourWalk
{
public:
    ColourWalk(const ColourTriple& start, const ColourTriple& end, int span);

    ColourTriple at(int position) { return {m_red.at(position), m_green.at(position), m_blue.at(position)}; }

private:
    ComponentWalk m_red;
    ComponentWalk m_green;
    ComponentWalk m_blue;
};

} // namespace huespan
