#pragma once

#include "ColourTriple.h"
#include "ComponentInterpolator.h"

namespace huespan {

// A colour running from start to end over span steps, each component on its own.
class ColourInterpolator final
{
public:
    ColourInterpolator(const ColourTriple& start, const ColourTriple& end, int span);

    ColourTriple at(int position) const
    {
        return {m_red.at(position), m_green.at(position), m_blue.at(position)};
    }

private:
    ComponentInterpolator m_red;
    ComponentInterpolator m_green;
    ComponentInterpolator m_blue;
};

} // namespace huespan
