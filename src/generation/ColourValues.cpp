#include "ColourValues.h"

#include "ComponentInterpolator.h"

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

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

double readDecimalNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    double value = 0;
    for (; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    if (i < text.size() && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i) {
            value += (text[i].unicode() - u'0') * scale;
            scale /= 10;
        }
    }
    return negative ? -value : value;
}

double readHexadecimalNumber(QStringView text)
{
    double value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            break;
        value = std::min(value * 16 + digit, 1e9);
    }
    return value;
}

} // namespace

qint16 ReadComponent(QStringView text, Notation notation)
{
    const double value =
        notation == Notation::Decimal ? readDecimalNumber(text) : readHexadecimalNumber(text);
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
