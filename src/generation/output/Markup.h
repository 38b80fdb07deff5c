#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupPieces.h"
#include "MarkupWriter.h"

#include <QStringView>
#include <cstring>
#include <iterator>
#include <optional>

namespace huespan {

// Style, size or heading elements, the user's leading tags and the optional line break.
void EmitOpening(MarkupWriter& html, const GradientSettings& settings);

// "&lt;", "&gt;", "&nbsp;" or "&amp;" for the four characters markup cannot carry bare,
// the character itself otherwise. A character is one code unit or one surrogate pair.
inline QStringView EscapeCharacter(QStringView character)
{
    // Inline: it runs once per character of every generation.
    if (character.size() == 1) {
        switch (character.front().unicode()) {
        case u'<':
            return u"&lt;";
        case u'>':
            return u"&gt;";
        case u' ':
            return u"&nbsp;";
        case u'&':
            return u"&amp;";
        default:
            break;
        }
    }
    return character;
}

// EmitCharacter for a colour with a component outside 0 to 255, which only unchecked input gives.
void emitCharacterOutOfRange(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                             const GradientSettings& settings);

namespace MarkupDetail {

template <qsizetype N> QChar* copyFixed(QChar* out, const char16_t (&piece)[N])
{
    // N counts the terminating zero; a constant size lets the compiler use plain moves.
    std::memcpy(out, piece, (N - 1) * sizeof(char16_t));
    return out + (N - 1);
}

} // namespace MarkupDetail

// <FONT COLOR="#RRGGBB">character</FONT>, with the optional line break. Inline: it is the body of
// the per-character loop of every plain run, one claim and then stores of known sizes.
inline void EmitCharacter(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                          const GradientSettings& settings)
{
    using MarkupDetail::copyFixed;
    if (!MarkupPieces::isByteColour(colour)) {
        emitCharacterOutOfRange(html, character, colour, settings);
        return;
    }
    const QStringView escaped = EscapeCharacter(character);
    using namespace MarkupPieces;
    // <FONT COLOR="#RRGGBB"> and </FONT> around the character.
    constexpr qsizetype frame =
        std::size(kFontColourOpen) - 1 + 6 + std::size(kFontColourOpenEnd) - 1 + std::size(kFontClose) - 1;
    QChar* out = html.claim(frame + escaped.size() + (settings.lineBreaks ? 2 : 0));
    out = copyFixed(out, kFontColourOpen);
    const auto& digits = MarkupPieces::kUpperHexPairs.digits;
    std::memcpy(out, digits[colour.red], 2 * sizeof(char16_t));
    std::memcpy(out + 2, digits[colour.green], 2 * sizeof(char16_t));
    std::memcpy(out + 4, digits[colour.blue], 2 * sizeof(char16_t));
    out = copyFixed(out + 6, kFontColourOpenEnd);
    // At most six code units: a plain loop beats a call to memmove.
    for (const QChar unit : escaped)
        *out++ = unit;
    out = copyFixed(out, kFontClose);
    if (settings.lineBreaks)
        copyFixed(out, kCodeLineBreak);
}

// The user's trailing tags and the end tags of the opening, innermost first.
void EmitClosing(MarkupWriter& html, const GradientSettings& settings);

// The font size written (Normal mode with a size) and the heading level written (Heading mode
// with a level); every output format asks these.
std::optional<int> writtenFontSize(const GradientSettings& settings);
std::optional<int> writtenHeading(const GradientSettings& settings);

// Upper bounds of what the functions above append, for reserving.
qsizetype openingLengthBound(const GradientSettings& settings);
qsizetype closingLengthBound(const GradientSettings& settings);
qsizetype characterElementLengthBound(qsizetype codeUnits);

} // namespace huespan
