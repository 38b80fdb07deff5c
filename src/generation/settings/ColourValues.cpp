#include "ColourValues.h"

#include "ComponentInterpolator.h"
#include "ComponentText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace huespan {

namespace {

qint16 saturateToComponent(double value)
{
    constexpr double lowest = std::numeric_limits<qint16>::min();
    constexpr double highest = std::numeric_limits<qint16>::max();
    return static_cast<qint16>(std::clamp(value, lowest, highest));
}

// The number at the start of the text: blanks, an optional sign, digits, an optional fraction.
double readDecimalNumber(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    qsizetype end = begin;
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-'))
        ++end;
    while (end < text.size() && ComponentText::isDecimalDigit(text[end]))
        ++end;
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && ComponentText::isDecimalDigit(text[end]))
            ++end;
    }
    bool ok = false;
    const double value = text.sliced(begin, end - begin).toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

qint16 ReadComponent(QStringView text, Notation notation)
{
    const double value =
        notation == Notation::Decimal ? readDecimalNumber(text) : ComponentText::hexadecimalReading(text);
    return saturateToComponent(std::nearbyint(value));
}

std::pair<ColourTriple, ColourTriple> ReadColours(const GradientSettings& settings)
{
    const auto& t = settings.componentTexts;
    const auto read = [&](int index) { return ReadComponent(t[index], settings.notation); };
    return {ColourTriple{read(0), read(1), read(2)}, ColourTriple{read(3), read(4), read(5)}};
}

QString HexPair(qint16 component)
{
    // Negative components would only come from unchecked input; they print as their 16-bit pattern.
    const auto bits = static_cast<quint16>(component);
    QString digits = QString::number(bits, 16).toUpper();
    if (digits.size() == 1)
        digits.prepend(u'0');
    return digits;
}

QString ColourCode(const ColourTriple& colour)
{
    return HexPair(colour.red) + HexPair(colour.green) + HexPair(colour.blue);
}

qint16 InterpolateComponent(qint16 start, qint16 delta, int position, int span)
{
    return ComponentInterpolator(start, delta, span).at(position);
}

} // namespace huespan
