#include "Markup.h"

#include "ColourValues.h"
#include "MarkupPieces.h"

#include <cstring>

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

template <qsizetype N> QChar* copyFixed(QChar* out, const char16_t (&piece)[N])
{
    // N counts the terminating zero; a constant size lets the compiler use plain moves.
    std::memcpy(out, piece, (N - 1) * sizeof(char16_t));
    return out + (N - 1);
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

void EmitCharacter(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                   const GradientSettings& settings)
{
    const QStringView escaped = EscapeCharacter(character);
    if (!MarkupPieces::isByteColour(colour)) {
        // Out-of-range components only come from unchecked input; take the general path.
        html.append(kColourOpen);
        html.append(ColourCode(colour));
        html.append(kColourOpenEnd);
        html.append(escaped);
        html.append(kFontClose);
        if (settings.lineBreaks)
            html.append(kLineBreak);
        return;
    }

    // The hot path of every run: one claim, then stores of known sizes.
    const qsizetype length = kElementFrame + escaped.size() + (settings.lineBreaks ? kLineBreak.size() : 0);
    QChar* out = html.claim(length);
    out = copyFixed(out, u"<FONT COLOR=\"#");
    std::memcpy(out, MarkupPieces::kUpperHexPairs.digits[colour.red], 2 * sizeof(char16_t));
    std::memcpy(out + 2, MarkupPieces::kUpperHexPairs.digits[colour.green], 2 * sizeof(char16_t));
    std::memcpy(out + 4, MarkupPieces::kUpperHexPairs.digits[colour.blue], 2 * sizeof(char16_t));
    out = copyFixed(out + kColourDigits, u"\">");
    // At most six code units: a plain loop beats a call to memmove.
    for (const QChar unit : escaped)
        *out++ = unit;
    out = copyFixed(out, u"</FONT>");
    if (settings.lineBreaks)
        copyFixed(out, u"\r\n");
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

qsizetype OpeningLengthBound(const GradientSettings& settings)
{
    // Styles, the size element with any number, the heading element.
    return 12 + 32 + 16 + settings.tagsBefore.size() + kLineBreak.size();
}

qsizetype ClosingLengthBound(const GradientSettings& settings)
{
    return settings.tagsAfter.size() + 7 + 16 + 16;
}

qsizetype CharacterElementLengthBound(qsizetype codeUnits)
{
    // A surrogate pair is two code units in one element, so per code unit this is generous.
    return codeUnits * (kElementFrame + kLongestEscape + kLineBreak.size());
}

} // namespace huespan
