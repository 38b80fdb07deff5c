#include "ComponentText.h"

#include <algorithm>

namespace huespan::ComponentText {

namespace {

// Far above any component, far below overflow: a pasted run of digits cannot wrap around.
constexpr int kSaturation = 1'000'000;

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (isDecimalDigit(c))
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

bool isDecimalDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isHexadecimalDigit(QChar c)
{
    return hexDigitValue(c) >= 0;
}

int decimalReading(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    int value = 0;
    for (; i < text.size() && isDecimalDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i].unicode() - u'0'), kSaturation);
    return value;
}

int hexadecimalReading(QStringView text)
{
    int value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            break;
        value = std::min(value * 16 + digit, kSaturation);
    }
    return value;
}

QString decimalRendering(int value)
{
    return QString::number(value);
}

QString hexadecimalRendering(int value)
{
    return QString::number(value, 16).toUpper();
}

std::optional<qint16> integerConversion(QStringView text)
{
    bool ok = false;
    const short value = text.trimmed().toShort(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace huespan::ComponentText
