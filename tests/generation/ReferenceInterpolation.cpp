#include "ReferenceInterpolation.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace huespan::ReferenceInterpolation {

int literal(int start, int delta, int position, int span)
{
    const float startF = float(start);
    const float deltaF = float(delta);
    const float positionF = float(position);
    const float spanF = float(span);
    double value = double(deltaF) / double(spanF);
    value = value * double(positionF);
    value = value + double(startF);
    const float narrowed = float(value);
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.7g", double(narrowed));
    const double readBack = std::strtod(digits, nullptr);
    // The default floating-point environment rounds to nearest with ties to even.
    return int(std::nearbyint(readBack));
}

int exactFraction(int start, int delta, int position, int span)
{
    const long long numerator = (long long)start * span + (long long)delta * position;
    // Floor division keeps the remainder non-negative for either sign of the numerator.
    long long quotient = numerator / span;
    long long remainder = numerator % span;
    if (remainder < 0) {
        remainder += span;
        --quotient;
    }
    if (2 * remainder > span || (2 * remainder == span && quotient % 2 != 0))
        ++quotient;
    return int(quotient);
}

} // namespace huespan::ReferenceInterpolation
