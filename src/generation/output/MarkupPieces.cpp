#include "MarkupPieces.h"

#include "ColourValues.h"
#include "Markup.h"

#include <cstring>

namespace huespan::MarkupPieces {

void appendColourDigits(MarkupWriter& html, const ColourTriple& colour, DigitCase digitCase)
{
    if (!isByteColour(colour)) {
        // Out-of-range components only come from unchecked input; take the general path.
        const QString code = ColourCode(colour);
        html.append(digitCase == DigitCase::Upper ? code : code.toLower());
        return;
    }
    const HexPairTable& table = digitCase == DigitCase::Upper ? kUpperHexPairs : kLowerHexPairs;
    QChar* out = html.claim(6);
    std::memcpy(out, table.digits[colour.red], 2 * sizeof(char16_t));
    std::memcpy(out + 2, table.digits[colour.green], 2 * sizeof(char16_t));
    std::memcpy(out + 4, table.digits[colour.blue], 2 * sizeof(char16_t));
}

void appendDecimal(MarkupWriter& html, qint16 component)
{
    if (component >= 0 && component < 1000) {
        char16_t digits[3];
        int count = 0;
        if (component >= 100)
            digits[count++] = static_cast<char16_t>(u'0' + component / 100);
        if (component >= 10)
            digits[count++] = static_cast<char16_t>(u'0' + component / 10 % 10);
        digits[count++] = static_cast<char16_t>(u'0' + component % 10);
        html.append(QStringView(digits, count));
        return;
    }
    html.append(QString::number(component));
}

void appendHtmlEscaped(MarkupWriter& html, QStringView unit)
{
    if (unit.size() == 1) {
        html.append(EscapeCharacter(unit));
        return;
    }
    // A grapheme may hold "<" or a space before its combining marks.
    for (qsizetype i = 0; i < unit.size(); ++i)
        html.append(EscapeCharacter(unit.sliced(i, 1)));
}

} // namespace huespan::MarkupPieces
