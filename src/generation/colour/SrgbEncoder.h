#pragma once

#include <QtGlobal>

namespace huespan {

// Linear-light sRGB components (0 to 1) to 8-bit gamma-encoded ones: the sRGB transfer function,
// times 255, rounded to the nearest whole number (halves to even).
class SrgbEncoder final
{
public:
    // Straight through the transfer function.
    static qint16 encode(double linear);
};

} // namespace huespan
