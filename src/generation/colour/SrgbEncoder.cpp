#include "SrgbEncoder.h"

#include "ColourSpace.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace huespan {

namespace {

std::array<double, 257> makeStepTable()
{
    std::array<double, 257> steps{};
    steps.front() = -std::numeric_limits<double>::infinity();
    steps.back() = std::numeric_limits<double>::infinity();
    // Non-negative doubles sort as their bit patterns do, so a bisection over the patterns finds
    // the exact least value that reaches each code.
    for (int code = 1; code <= 255; ++code) {
        auto below = std::bit_cast<std::uint64_t>(0.0);
        auto reaching = std::bit_cast<std::uint64_t>(1.0);
        while (reaching - below > 1) {
            const std::uint64_t middle = below + (reaching - below) / 2;
            if (SrgbEncoder::encode(std::bit_cast<double>(middle)) >= code)
                reaching = middle;
            else
                below = middle;
        }
        steps[code] = std::bit_cast<double>(reaching);
    }
    return steps;
}

} // namespace

qint16 SrgbEncoder::encode(double linear)
{
    return static_cast<qint16>(std::nearbyint(linearToSrgb(linear) * 255.0));
}

const SrgbEncoder::StepTable& SrgbEncoder::stepTable()
{
    static const StepTable steps = makeStepTable();
    return steps;
}

} // namespace huespan
