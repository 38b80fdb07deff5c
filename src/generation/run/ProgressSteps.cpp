#include "ProgressSteps.h"

#include <algorithm>

namespace huespan {

int leftToRightPercentage(int i, int n)
{
    // Truncation rounds down, the value never being negative.
    return static_cast<int>(static_cast<double>(i) / n * 100);
}

int halfPercentage(int i, int h)
{
    return static_cast<int>(static_cast<double>(i) / h * 100 / 2);
}

ProgressSteps::ProgressSteps(int count, int scale, Formula formula)
    : m_count(count)
    , m_scale(scale)
    , m_formula(formula)
{
}

void ProgressSteps::moveTo(int index)
{
    m_percentage = m_formula(index, m_count);
    // The first index of the next value by exact arithmetic; the formula's rounding moves it by a
    // position at most, which the two walks below settle.
    const long long estimate = (static_cast<long long>(m_percentage + 1) * m_count + m_scale - 1) / m_scale;
    int next = static_cast<int>(std::clamp<long long>(estimate, index + 1LL, m_count + 1LL));
    while (next > index + 1 && m_formula(next - 1, m_count) != m_percentage)
        --next;
    while (next <= m_count && m_formula(next, m_count) == m_percentage)
        ++next;
    m_next = next;
}

} // namespace huespan
