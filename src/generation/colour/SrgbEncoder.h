#pragma once

#include <QtGlobal>
#include <array>

namespace huespan {

// Linear-light sRGB components (0 to 1) to 8-bit gamma-encoded ones: the sRGB transfer function,
// times 255, rounded to the nearest whole number (halves to even).
class SrgbEncoder final
{
public:
    // Entry k (1 to 255) is the least double that encodes to k or more; entries 0 and 256 are
    // the infinities that end a search.
    using StepTable = std::array<double, 257>;
    static const StepTable& stepTable();

    // Straight through the transfer function.
    static qint16 encode(double linear);

    // The same result without the power function: a search of the step table, starting from a
    // guess, so that a value near the previous one costs a
    // comparison or two.
    static qint16 encodeNear(const StepTable& steps, double linear, qint16 guess)
    {
        int code = guess;
        while (linear >= steps[code + 1])
            ++code;
        while (linear < steps[code])
            --code;
        return static_cast<qint16>(code);
    }

    // Whether a value lies farther than margin from both ends of the range that encodes to code,
    // so that a value off by less than margin still encodes to code.
    static bool clearOfSteps(const StepTable& steps, double linear, qint16 code, double margin)
    {
        return linear - steps[code] >= margin && steps[code + 1] - linear > margin;
    }
};

} // namespace huespan
