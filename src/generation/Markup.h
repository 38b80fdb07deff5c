#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>
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

// <FONT COLOR="#RRGGBB">character</FONT>, with the optional line break.
void EmitCharacter(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                   const GradientSettings& settings);

// The user's trailing tags and the end tags of the opening, innermost first.
void EmitClosing(MarkupWriter& html, const GradientSettings& settings);

// The font size written (Normal mode with a size) and the heading level written (Heading mode
// with a level); every output format asks these.
std::optional<int> writtenFontSize(const GradientSettings& settings);
std::optional<int> writtenHeading(const GradientSettings& settings);

// Upper bounds of what the functions above append, for reserving.
qsizetype OpeningLengthBound(const GradientSettings& settings);
qsizetype ClosingLengthBound(const GradientSettings& settings);
qsizetype CharacterElementLengthBound(qsizetype codeUnits);

} // namespace huespan
