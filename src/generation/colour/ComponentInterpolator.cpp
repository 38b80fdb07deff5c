#include "ComponentInterpolator.h"

#include <cstdint>

namespace huespan {

namespace {

// Decimal places that seven significant digits leave for a magnitude.
int decimalPlacesForSevenDigits(float magnitude)
{
    int places = 7;
    for (float limit = 1.0F; magnitude >= limit && places > 0; limit *= 10.0F)
        --places;
    return places;
}

} // namespace

ComponentInterpolator::ComponentInterpolator(qint16 start, qint16 delta, int span)
    // Every operand is converted to single precision first (exact for these values); the
    // arithmetic itself is double.
    : m_quotient(static_cast<double>(static_cast<float>(delta)) /
                 static_cast<double>(static_cast<float>(span)))
    , m_start(static_cast<double>(static_cast<float>(start)))
{
}

qint16 ComponentInterpolator::roundNearHalf(float narrowed)
{
    // Scale so that the seventh significant digit is the last whole one and round there (halves to
    // even, as printf does). A float times a power of ten below 10^8 is exact in double, so this
    // is the only rounding.
    const float magnitude = std::fabs(narrowed);
    const int places = decimalPlacesForSevenDigits(magnitude);
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    const auto digits = static_cast<std::int64_t>(
        std::nearbyint(static_cast<double>(magnitude) * static_cast<double>(scale)));

    // The whole number of the seven-digit value, an exact half going to the even neighbour.
    std::int64_t whole = digits / scale;
    const std::int64_t remainder = digits % scale;
    if (remainder * 2 > scale || (remainder * 2 == scale && whole % 2 != 0))
        ++whole;
    return saturate(static_cast<float>(narrowed < 0 ? -whole : whole));
}

} // namespace huespan
