#pragma once

#include <QtGlobal>

namespace huespan {

struct ColourTriple
{
    qint16 red = 0;
    qint16 green = 0;
    qint16 blue = 0;

    friend bool operator==(const ColourTriple&, const ColourTriple&) = default;
};

} // namespace huespan
