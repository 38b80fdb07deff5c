#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace huespan {

// One colour component running from start by delta over span steps. The quotient delta ÷ span
// is the same for every position of a run, so it is taken once; at() sits in the per-character
// loop of every generation, which is why its common path is inline.
class ComponentInterpolator final
{
public:
    ComponentInterpolator(qint16 start, qint16 delta, int span);

    // The component at position (0 < position < span): start + delta ÷ span × position in double
    // precision, narrowed to single precision, taken to seven significant digits and rounded to a
    // whole number with halves going to the even neighbour.
    qint16 at(int position) const
    {
        const auto narrowed = static_cast<float>(m_quotient * static_cast<float>(position) + m_start);
        // Seven significant digits move a component by less than 0.0001, so only values that
        // close to a half can round otherwise than to the plain nearest whole number.
        // Truncation and a correction instead of std::floor, which is a library call on baseline x86-64.
        auto below = static_cast<float>(static_cast<int>(narrowed));
        if (below > narrowed)
            below -= 1.0F;
        const float fraction = narrowed - below;
        if (std::fabs(fraction - 0.5F) > 0.001F)
            return saturate(fraction > 0.5F ? below + 1.0F : below);
        return roundNearHalf(narrowed);
    }

private:
    static qint16 saturate(float whole)
    {
        return static_cast<qint16>(std::clamp(whole, -32768.0F, 32767.0F));
    }
    static qint16 roundNearHalf(float narrowed);

    double m_quotient;
    double m_start;
};

} // namespace huespan
