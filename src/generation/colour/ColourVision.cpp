#include "ColourVision.h"

#include "ColourSpace.h"
#include "SrgbEncoder.h"

#include <algorithm>
#include <array>

namespace huespan {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// The severity 1.0 rows of the paper's table of simulation matrices.
constexpr Matrix kProtanopia{{
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
}};
constexpr Matrix kDeuteranopia{{
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
}};
constexpr Matrix kTritanopia{{
    {1.255528, -0.076749, -0.178779},
    {-0.078411, 0.930809, 0.147602},
    {0.004733, 0.691367, 0.303900},
}};

const Matrix* matrixOf(ColourVision vision)
{
    switch (vision) {
    case ColourVision::Typical:
        return nullptr;
    case ColourVision::Protanopia:
        return &kProtanopia;
    case ColourVision::Deuteranopia:
        return &kDeuteranopia;
    case ColourVision::Tritanopia:
        return &kTritanopia;
    }
    return nullptr;
}

} // namespace

ColourTriple simulatedColour(const ColourTriple& colour, ColourVision vision)
{
    const Matrix* matrix = matrixOf(vision);
    if (!matrix)
        return colour;
    const std::array<double, 3> linear{srgbToLinear(colour.red / 255.0), srgbToLinear(colour.green / 255.0),
                                       srgbToLinear(colour.blue / 255.0)};
    std::array<qint16, 3> seen{};
    for (size_t row = 0; row < 3; ++row) {
        const std::array<double, 3>& m = (*matrix)[row];
        const double value = m[0] * linear[0] + m[1] * linear[1] + m[2] * linear[2];
        seen[row] = SrgbEncoder::encode(std::clamp(value, 0.0, 1.0));
    }
    return {seen[0], seen[1], seen[2]};
}

} // namespace huespan
