#include "ui/ScreenColour.h"

#include <algorithm>

namespace huespan {

namespace {

int toByte(qint16 component)
{
    return std::clamp<int>(component, 0, 255);
}

} // namespace

QColor screenColour(const ColourTriple& colour)
{
    return {toByte(colour.red), toByte(colour.green), toByte(colour.blue)};
}

ColourTriple tripleOf(const QColor& colour)
{
    return {static_cast<qint16>(colour.red()), static_cast<qint16>(colour.green()),
            static_cast<qint16>(colour.blue())};
}

} // namespace huespan
