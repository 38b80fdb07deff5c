#pragma once

#include "ColourTriple.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Small pieces that every output format writes many times per run.
namespace MarkupPieces {

enum class DigitCase
{
    Upper,
    Lower,
};

// The two hexadecimal digits of every byte, ready to be stored as one unit.
struct HexPairTable
{
    char16_t digits[256][2];

    constexpr explicit HexPairTable(DigitCase digitCase)
        : digits{}
    {
        constexpr char16_t upper[] = u"0123456789ABCDEF";
        constexpr char16_t lower[] = u"0123456789abcdef";
        const char16_t* hex = digitCase == DigitCase::Upper ? upper : lower;
        for (int value = 0; value < 256; ++value) {
            digits[value][0] = hex[value >> 4];
            digits[value][1] = hex[value & 0xF];
        }
    }
};
inline constexpr HexPairTable kUpperHexPairs{DigitCase::Upper};
inline constexpr HexPairTable kLowerHexPairs{DigitCase::Lower};

// The plain markup's element around a character, as the font format's description writes it too,
// and the code's line break.
inline constexpr char16_t kFontColourOpen[] = u"<FONT COLOR=\"#";
inline constexpr char16_t kFontColourOpenEnd[] = u"\">";
inline constexpr char16_t kFontClose[] = u"</FONT>";
inline constexpr char16_t kCodeLineBreak[] = u"\r\n";

inline bool isByteColour(const ColourTriple& colour)
{
    const auto isByte = [](qint16 component) { return component >= 0 && component <= 255; };
    return isByte(colour.red) && isByte(colour.green) && isByte(colour.blue);
}

// The six digits of a colour, as ColourCode writes them (in the case asked for).
void appendColourDigits(MarkupWriter& html, const ColourTriple& colour, DigitCase digitCase);

// A component in plain decimal digits.
void appendDecimal(MarkupWriter& html, qint16 component);

// The unit's code units, "<", ">", "&" and the space escaped as EscapeCharacter escapes them.
void appendHtmlEscaped(MarkupWriter& html, QStringView unit);

} // namespace MarkupPieces
} // namespace huespan
