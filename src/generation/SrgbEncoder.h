#pragma once

#include <QtGlobal>
#include <array>

namespace huespan {

// Linear-light sRGB components (0 to 1) to 8-bit gamma-encoded ones: the sRGB transfer function,
// times 255, rounded to the nearest whole number (halves to even).
class SrgbEncoder final
{
public:
    // Straight through the transfer function.
    static qint16 encode(double linear);

    // The same result without the power function: a search of the linear values at which the
    // result steps up, starting from a guess, so that a value near the previous one costs a
    // comparison or two.
    static qint16 encodeNear(double linear, qint16 guess)
    {
        const std::array<double, 257>& steps = stepTable();
        int code = guess;
        while (linear >= steps[code + 1])
            ++code;
        while (linear < steps[code])
            --code;
        return static_cast<qint16>(code);
    }

private:
    // Entry k (1 to 255) is the least double that encodes to k or more; entries 0 and 256 are
    // the infinities that end the search.
    static const std::array<double, 257>& stepTable();
};

} // namespace huespan
