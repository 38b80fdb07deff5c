#pragma once

#include "ColourSpace.h"

#include <array>

namespace huespan {

// Shared by the conversions and by the loops that convert many colours at once.
namespace ColourMatrices {

using Matrix = std::array<std::array<double, 3>, 3>;

// The matrices of the CSS Color 4 sample code. OKLab goes through CIE XYZ (D65): linear sRGB to
// XYZ, XYZ to LMS, the cube root, LMS to OKLab, and back the same way.
inline constexpr Matrix linearSrgbToXyz{{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};
inline constexpr Matrix xyzToLinearSrgb{{
    {12831.0 / 3959.0, -329.0 / 214.0, -1974.0 / 3959.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {705.0 / 12673.0, -2585.0 / 12673.0, 705.0 / 667.0},
}};
inline constexpr Matrix xyzToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
inline constexpr Matrix lmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
inline constexpr Matrix oklabToLms{{
    {1.0000000000000000, 0.3963377773761749, 0.2158037573099136},
    {1.0000000000000000, -0.1055613458156586, -0.0638541728258133},
    {1.0000000000000000, -0.0894841775298119, -1.2914855480194092},
}};
inline constexpr Matrix lmsToXyz{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};

inline constexpr Matrix product(const Matrix& left, const Matrix& right)
{
    Matrix result{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            result[row][column] = left[row][0] * right[0][column] + left[row][1] * right[1][column] +
                                  left[row][2] * right[2][column];
        }
    }
    return result;
}

// Linear sRGB and LMS meet directly, the two matrices through XYZ joined once: one product
// fewer for every colour converted.
inline constexpr Matrix linearSrgbToLmsMatrix = product(xyzToLms, linearSrgbToXyz);
inline constexpr Matrix lmsToLinearSrgbMatrix = product(xyzToLinearSrgb, lmsToXyz);

// A matrix times a column of coordinates.
inline ColourCoordinates multiply(const Matrix& m, const ColourCoordinates& v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

} // namespace ColourMatrices
} // namespace huespan
