#pragma once

#include "ExtendedSettings.h"
#include "GradientSettings.h"
#include "MarkupPieces.h"
#include "MarkupWriter.h"

#include <QChar>
#include <QStringView>
#include <array>
#include <iterator>

namespace huespan {

// What a format writes, piece by piece: the wrappers of the styles, the size and the heading
// around the whole text, the element that gives units their colour, a line break, and how the
// text itself is written. A new format is one description, plus its special case where it has one.
struct FormatDescription
{
    struct Pair
    {
        QStringView open;
        QStringView close;
    };
    enum class Digits
    {
        // RRGGBB
        UpperHex,
        // rrggbb
        LowerHex,
        // R;G;B in decimal
        DecimalTriple,
        // §r§r§g§g§b§b: each lower-case digit after a section sign.
        SectionHex,
    };
    enum class SizeValue
    {
        // The number 1 to 7.
        Number,
        // The CSS keyword of the size, x-small to xxx-large.
        CssKeyword,
        // Pango's keyword of the size, xx-small to xx-large.
        PangoKeyword,
    };
    enum class Escape
    {
        // < > & and the space as HTML entities.
        Html,
        // As it is.
        None,
        // Control characters as their pictures, so that none steers a terminal.
        ControlPictures,
        // < > & as XML's entities (Pango knows no others).
        Xml,
        // < and \ after a backslash, so that no MiniMessage tag forms from the text.
        MiniMessage,
        // A unit with a character that MFM reads as syntax inside <plain>...</plain>.
        MfmPlain,
    };

    // Bold, italic, underline, strike: opened in this order, closed in the other.
    std::array<Pair, 4> styles;
    // The styles' openings follow every element's opening instead of wrapping the whole text,
    // where a colour code ends the styles before it.
    bool stylesPerElement = false;
    // Around the size's value when the settings write one (empty: the format has no sizes).
    QStringView sizeOpen;
    QStringView sizeOpenEnd;
    QStringView sizeClose;
    SizeValue sizeValue = SizeValue::Number;
    // Around the heading's level: open + level + end, close + level + end (empty: no headings).
    Pair headingOpen;
    Pair headingClose;
    // The element of a colour: open, the colour's digits, openEnd, the text, close.
    QStringView elementOpen;
    Digits digits = Digits::UpperHex;
    QStringView elementOpenEnd;
    QStringView elementClose;
    QStringView lineBreak;
    // Whether the main window's line breaks in the code (CR LF after the opening, after every
    // element and after every line break) are written.
    bool codeLineBreaks = false;
    Escape escape = Escape::Html;
    // A character of the text after which the element is closed (and opened again for the next
    // unit), so that no tag can form from it and the text after it; none when 0.
    QChar tagStart;
    // Written last, after the user's trailing tags and the closed wrappers.
    QStringView finalReset;

    // The description of a format; the css format's wrappers are the span format's.
    static const FormatDescription& of(OutputFormat format);

    // The wrappers, the user's leading tags and, where the format has them, the code's line break.
    void writeOpening(MarkupWriter& html, const GradientSettings& settings) const;
    // The user's trailing tags, the wrappers closed innermost first, the final reset.
    void writeClosing(MarkupWriter& html, const GradientSettings& settings) const;
    // Inline, with the writer's per-unit operations: they run once or twice per unit.
    void writeElementOpen(MarkupWriter& html, const ColourTriple& colour,
                          const GradientSettings& settings) const
    {
        html.append(elementOpen);
        switch (digits) {
        case Digits::UpperHex:
            MarkupPieces::appendColourDigits(html, colour, MarkupPieces::DigitCase::Upper);
            break;
        case Digits::LowerHex:
            MarkupPieces::appendColourDigits(html, colour, MarkupPieces::DigitCase::Lower);
            break;
        case Digits::DecimalTriple:
            appendDecimalTriple(html, colour);
            break;
        case Digits::SectionHex:
            appendSectionDigits(html, colour);
            break;
        }
        html.append(elementOpenEnd);
        if (stylesPerElement)
            writeStyleOpenings(html, settings);
    }
    void writeText(MarkupWriter& html, QStringView unit) const
    {
        switch (escape) {
        case Escape::Html:
            MarkupPieces::appendHtmlEscaped(html, unit);
            break;
        case Escape::None:
            html.append(unit);
            break;
        case Escape::ControlPictures:
            appendWithControlPictures(html, unit);
            break;
        case Escape::Xml:
        case Escape::MiniMessage:
        case Escape::MfmPlain:
            appendEscaped(html, unit);
            break;
        }
    }

private:
    void writeStyleOpenings(MarkupWriter& html, const GradientSettings& settings) const;
    void appendEscaped(MarkupWriter& html, QStringView unit) const;
    static void appendSectionDigits(MarkupWriter& html, const ColourTriple& colour);
    static void appendDecimalTriple(MarkupWriter& html, const ColourTriple& colour);
    static void appendWithControlPictures(MarkupWriter& html, QStringView unit);
};

// The plain markup's, the font format.
inline constexpr FormatDescription kFontFormat{
    .styles = {{{u"<B>", u"</B>"}, {u"<I>", u"</I>"}, {u"<U>", u"</U>"}, {u"<S>", u"</S>"}}},
    .sizeOpen = u"<FONT SIZE=\"",
    .sizeOpenEnd = u"\">",
    .sizeClose = u"</FONT>",
    .headingOpen = {u"<H", u">"},
    .headingClose = {u"</H", u">"},
    // MarkupPieces' kFontColourOpen, kFontColourOpenEnd and kFontClose, which the per-character
    // path writes; the tests hold both roads to the same bytes.
    .elementOpen = u"<FONT COLOR=\"#",
    .digits = FormatDescription::Digits::UpperHex,
    .elementOpenEnd = u"\">",
    .elementClose = u"</FONT>",
    .lineBreak = u"<BR>",
    .codeLineBreaks = true,
};

inline constexpr FormatDescription kSpanFormat{
    .styles = {{{u"<b>", u"</b>"}, {u"<i>", u"</i>"}, {u"<u>", u"</u>"}, {u"<s>", u"</s>"}}},
    .sizeOpen = u"<span style=\"font-size:",
    .sizeOpenEnd = u"\">",
    .sizeClose = u"</span>",
    .sizeValue = FormatDescription::SizeValue::CssKeyword,
    .headingOpen = {u"<h", u">"},
    .headingClose = {u"</h", u">"},
    .elementOpen = u"<span style=\"color:#",
    .digits = FormatDescription::Digits::LowerHex,
    .elementOpenEnd = u"\">",
    .elementClose = u"</span>",
    .lineBreak = u"<br>",
    .codeLineBreaks = true,
};

inline constexpr FormatDescription kBbcodeFormat{
    .styles = {{{u"[b]", u"[/b]"}, {u"[i]", u"[/i]"}, {u"[u]", u"[/u]"}, {u"[s]", u"[/s]"}}},
    .sizeOpen = u"[size=",
    .sizeOpenEnd = u"]",
    .sizeClose = u"[/size]",
    .elementOpen = u"[color=#",
    .digits = FormatDescription::Digits::UpperHex,
    .elementOpenEnd = u"]",
    .elementClose = u"[/color]",
    .lineBreak = u"\n",
    .escape = FormatDescription::Escape::None,
    // A "[" of the text ends its element, so that with merged elements no tag can form from it and
    // the characters after it, as none can when every unit has its own element.
    .tagStart = u'[',
};

// The ansi format: SGR sequences; one reset ends every style and the colour.
inline constexpr FormatDescription kAnsiFormat{
    .styles = {{{u"\x1b[1m", {}}, {u"\x1b[3m", {}}, {u"\x1b[4m", {}}, {u"\x1b[9m", {}}}},
    .elementOpen = u"\x1b[38;2;",
    .digits = FormatDescription::Digits::DecimalTriple,
    .elementOpenEnd = u"m",
    .lineBreak = u"\n",
    .escape = FormatDescription::Escape::ControlPictures,
    .finalReset = u"\x1b[0m",
};

// MiniMessage: a colour tag before each element's text, closing tags for the styles at the end.
inline constexpr FormatDescription kMiniMessageFormat{
    .styles = {{{u"<b>", u"</b>"}, {u"<i>", u"</i>"}, {u"<u>", u"</u>"}, {u"<st>", u"</st>"}}},
    .elementOpen = u"<#",
    .digits = FormatDescription::Digits::LowerHex,
    .elementOpenEnd = u">",
    .lineBreak = u"<newline>",
    .escape = FormatDescription::Escape::MiniMessage,
};

// Chat plugins' &#RRGGBB; a colour code resets the styles, so their codes follow every one.
inline constexpr FormatDescription kMinecraftHexFormat{
    .styles = {{{u"&l", {}}, {u"&o", {}}, {u"&n", {}}, {u"&m", {}}}},
    .stylesPerElement = true,
    .elementOpen = u"&#",
    .digits = FormatDescription::Digits::UpperHex,
    .lineBreak = u"\\n",
    .escape = FormatDescription::Escape::None,
};

// The server's legacy text: §x and the six digits, each after a section sign.
inline constexpr FormatDescription kMinecraftSectionFormat{
    .styles = {{{u"§l", {}}, {u"§o", {}}, {u"§n", {}}, {u"§m", {}}}},
    .stylesPerElement = true,
    .elementOpen = u"§x",
    .digits = FormatDescription::Digits::SectionHex,
    .lineBreak = u"\\n",
    .escape = FormatDescription::Escape::None,
};

// MFM: a colour function around each element; strike as <s>, since ~~ ends at a line break.
inline constexpr FormatDescription kMfmFormat{
    .styles = {{{u"**", u"**"}, {u"<i>", u"</i>"}, {}, {u"<s>", u"</s>"}}},
    .elementOpen = u"$[fg.color=",
    .digits = FormatDescription::Digits::LowerHex,
    .elementOpenEnd = u" ",
    .elementClose = u"]",
    .lineBreak = u"\n",
    .escape = FormatDescription::Escape::MfmPlain,
};

inline constexpr FormatDescription kPangoFormat{
    .styles = {{{u"<b>", u"</b>"}, {u"<i>", u"</i>"}, {u"<u>", u"</u>"}, {u"<s>", u"</s>"}}},
    .sizeOpen = u"<span size=\"",
    .sizeOpenEnd = u"\">",
    .sizeClose = u"</span>",
    .sizeValue = FormatDescription::SizeValue::PangoKeyword,
    .elementOpen = u"<span foreground=\"#",
    .digits = FormatDescription::Digits::LowerHex,
    .elementOpenEnd = u"\">",
    .elementClose = u"</span>",
    .lineBreak = u"\n",
    .escape = FormatDescription::Escape::Xml,
};

} // namespace huespan
