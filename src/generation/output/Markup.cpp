#include "Markup.h"

#include "ColourValues.h"
#include "MarkupPieces.h"

namespace huespan {

namespace {

constexpr QStringView kLineBreak = u"\r\n";
constexpr QStringView kColourOpen = u"<FONT COLOR=\"#";
constexpr QStringView kColourOpenEnd = u"\">";
constexpr QStringView kFontClose = u"</FONT>";
constexpr qsizetype kColourDigits = 6;
// <FONT COLOR="#RRGGBB"> and </FONT> around the character.
constexpr qsizetype kElementFrame = 14 + kColourDigits + 2 + 7;
constexpr qsizetype kLongestEscape = 6; // &nbsp;

// "H" and the level, as the heading element names it.
QString headingName(int level)
{
    return u'H' + QString::number(level);
}

} // namespace

void EmitOpening(MarkupWriter& html, const GradientSettings& settings)
{
    if (settings.bold)
        html.append(u"<B>");
    if (settings.italic)
        html.append(u"<I>");
    if (settings.underline)
        html.append(u"<U>");
    if (settings.strike)
        html.append(u"<S>");
    if (const std::optional<int> size = writtenFontSize(settings)) {
        html.append(u"<FONT SIZE=\"");
        html.append(QString::number(*size));
        html.append(u"\">");
    }
    if (const std::optional<int> level = writtenHeading(settings)) {
        html.append(u"<");
        html.append(headingName(*level));
        html.append(u">");
    }
    html.append(settings.tagsBefore);
    if (settings.lineBreaks)
        html.append(kLineBreak);
}

void emitCharacterOutOfRange(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                             const GradientSettings& settings)
{
    html.append(kColourOpen);
    html.append(ColourCode(colour));
    html.append(kColourOpenEnd);
    html.append(EscapeCharacter(character));
    html.append(kFontClose);
    if (settings.lineBreaks)
        html.append(kLineBreak);
}

void EmitClosing(MarkupWriter& html, const GradientSettings& settings)
{
    html.append(settings.tagsAfter);
    if (writtenFontSize(settings))
        html.append(kFontClose);
    if (const std::optional<int> level = writtenHeading(settings)) {
        html.append(u"</");
        html.append(headingName(*level));
        html.append(u">");
    }
    if (settings.strike)
        html.append(u"</S>");
    if (settings.underline)
        html.append(u"</U>");
    if (settings.italic)
        html.append(u"</I>");
    if (settings.bold)
        html.append(u"</B>");
}

std::optional<int> writtenFontSize(const GradientSettings& settings)
{
    return settings.sizeMode == SizeMode::Normal ? settings.fontSize : std::nullopt;
}

std::optional<int> writtenHeading(const GradientSettings& settings)
{
    return settings.sizeMode == SizeMode::Heading ? settings.heading : std::nullopt;
}

qsizetype openingLengthBound(const GradientSettings& settings)
{
    // Styles, the size element with any number, the heading element.
    return 12 + 32 + 16 + settings.tagsBefore.size() + kLineBreak.size();
}

qsizetype closingLengthBound(const GradientSettings& settings)
{
    return settings.tagsAfter.size() + 7 + 16 + 16;
}

qsizetype characterElementLengthBound(qsizetype codeUnits)
{
    // A surrogate pair is two code units in one element, so per code unit this is generous.
    return codeUnits * (kElementFrame + kLongestEscape + kLineBreak.size());
}

} // namespace huespan
