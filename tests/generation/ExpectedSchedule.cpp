#include "ExpectedSchedule.h"

#include "ReferenceInterpolation.h"

#include <cmath>

namespace huespan::ExpectedSchedule {

namespace {

int component(int from, int to, int position, int span)
{
    if (span <= 8000)
        return ReferenceInterpolation::exactFraction(from, to - from, position, span);
    return ReferenceInterpolation::literal(from, to - from, position, span);
}

ColourTriple between(const ColourTriple& from, const ColourTriple& to, int position, int span)
{
    return {qint16(component(from.red, to.red, position, span)),
            qint16(component(from.green, to.green, position, span)),
            qint16(component(from.blue, to.blue, position, span))};
}

// Colours 1..count of a run from `from` to `to` whose ends are copied, not computed.
QList<ColourTriple> run(const ColourTriple& from, const ColourTriple& to, int count)
{
    QList<ColourTriple> colours;
    for (int i = 1; i <= count; ++i) {
        if (i == 1)
            colours.append(from);
        else if (i == count)
            colours.append(to);
        else
            colours.append(between(from, to, i - 1, count - 1));
    }
    return colours;
}

} // namespace

QList<ColourTriple> leftToRightColours(const ColourTriple& first, const ColourTriple& second, int n)
{
    return run(first, second, n);
}

QList<int> leftToRightPercentages(int n)
{
    QList<int> percentages;
    for (int i = 1; i <= n; ++i)
        percentages.append(int(std::floor(double(i) / double(n) * 100.0)));
    return percentages;
}

int halfCount(int n)
{
    return n / 2 + n % 2;
}

QList<ColourTriple> bothSidesColours(const ColourTriple& edge, const ColourTriple& middle, int n)
{
    const int h = halfCount(n);
    QList<ColourTriple> colours = run(edge, middle, h);
    if (n % 2 != 0)
        colours.removeLast(); // the centre character is written once, by the right half
    colours.append(run(middle, edge, h));
    return colours;
}

QList<int> bothSidesPercentages(int n)
{
    const int h = halfCount(n);
    QList<int> percentages;
    const int leftCount = n % 2 != 0 ? h - 1 : h;
    for (int i = 1; i <= leftCount; ++i)
        percentages.append(int(std::floor(double(i) / double(h) * 100.0 / 2.0)));
    for (int i = 1; i <= h; ++i)
        percentages.append(int(std::floor(double(i) / double(h) * 100.0 / 2.0)) + 50);
    return percentages;
}

} // namespace huespan::ExpectedSchedule
