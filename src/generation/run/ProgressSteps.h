#pragma once

#include <limits>

namespace huespan {

// The percentage after character i of n in the left-to-right form: i ÷ n × 100 in double
// precision, in this order, rounded down. The floating-point steps make a few exact values come
// out one lower (for n = 100, character 29 shows 28).
int leftToRightPercentage(int i, int n);

// The percentage after character i of a half of h characters in the both-sides form, before the
// right half adds its 50: i ÷ h × 100 ÷ 2 in double precision, in this order, rounded down.
int halfPercentage(int i, int h);

// A percentage formula walked index by index in increasing order. The formula reaches each of its
// at most 101 values once, so every boundary is found once, with the formula itself, and the
// per-character loop only compares integers.
class ProgressSteps
{
public:
    using Formula = int (*)(int index, int count);

    // scale is the formula's value at index = count (100, or 50 for a half).
    ProgressSteps(int count, int scale, Formula formula);

    // The formula's value at index (1 ≤ index ≤ count); indexes never go back.
    int at(int index)
    {
        if (index >= m_next)
            moveTo(index);
        return m_percentage;
    }

private:
    void moveTo(int index);

    int m_count;
    int m_scale;
    Formula m_formula;
    int m_percentage = 0;
    int m_next = std::numeric_limits<int>::min();
};

} // namespace huespan
