#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace huespan {

// The readings and renderings with which colour component fields keep their texts canonical and
// in range. Readings saturate instead of overflowing, so absurdly long digit runs stay harmless.
namespace ComponentText {

// Whether a character is one of the ASCII digits 0 to 9: the digits of other scripts are no
// component's digits.
bool isDecimalDigit(QChar c);

// Whether a character is an ASCII digit or a letter from a to f in either case.
bool isHexadecimalDigit(QChar c);

// The value of the leading run of decimal digits, leading blanks skipped; 0 without such a run.
int decimalReading(QStringView text);

// The value of the leading run of hexadecimal digits (either case); 0 without such a run.
int hexadecimalReading(QStringView text);

// Decimal digits without sign or leading zeros; 0 gives "0".
QString decimalRendering(int value);

// Upper-case hexadecimal digits without leading zeros; 0 gives "0", 255 gives "FF".
QString hexadecimalRendering(int value);

// The integer a text converts to as a whole (optional blanks and sign, then decimal digits,
// within the 16-bit range); nothing for an empty text or one holding hexadecimal letters.
std::optional<qint16> integerConversion(QStringView text);

} // namespace ComponentText
} // namespace huespan
