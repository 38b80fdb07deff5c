#include "FormatDescription.h"

#include "Markup.h"
#include "MarkupPieces.h"

#include <algorithm>

namespace huespan {

namespace {

// The plain markup's.
const FormatDescription kFont{
    .styles = {{{u"<B>", u"</B>"}, {u"<I>", u"</I>"}, {u"<U>", u"</U>"}, {u"<S>", u"</S>"}}},
    .sizeOpen = u"<FONT SIZE=\"",
    .sizeOpenEnd = u"\">",
    .sizeClose = u"</FONT>",
    .headingOpen = {u"<H", u">"},
    .headingClose = {u"</H", u">"},
    .elementOpen = MarkupPieces::kFontColourOpen,
    .digits = FormatDescription::Digits::UpperHex,
    .elementOpenEnd = MarkupPieces::kFontColourOpenEnd,
    .elementClose = MarkupPieces::kFontClose,
    .lineBreak = u"<BR>",
    .codeLineBreaks = true,
};

const FormatDescription kSpan{
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

// The CSS format shares the span format's wrappers.
const FormatDescription& kCss = kSpan;

const FormatDescription kBbcode{
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

// SGR sequences; one reset ends every style and the colour.
const FormatDescription kAnsi{
    .styles = {{{u"\x1b[1m", {}}, {u"\x1b[3m", {}}, {u"\x1b[4m", {}}, {u"\x1b[9m", {}}}},
    .elementOpen = u"\x1b[38;2;",
    .digits = FormatDescription::Digits::DecimalTriple,
    .elementOpenEnd = u"m",
    .lineBreak = u"\n",
    .escape = FormatDescription::Escape::ControlPictures,
    .finalReset = u"\x1b[0m",
};

// The CSS keywords of the seven font sizes, smallest first.
QStringView sizeKeyword(int size)
{
    static constexpr std::array<QStringView, 7> keywords{u"x-small", u"small",    u"medium",   u"large",
                                                         u"x-large", u"xx-large", u"xxx-large"};
    return keywords[static_cast<size_t>(std::clamp(size, 1, 7) - 1)];
}

bool isShownAsPicture(QChar c)
{
    const char16_t code = c.unicode();
    return (code < 0x20 && code != u'\t' && code != u'\n') || (code >= 0x7F && code <= 0x9F);
}

// A control character of the text would steer the terminal (move the cursor, clear the screen,
// set the title); it is shown as its picture instead. C0 controls have theirs from U+2400 on and
// DEL has U+2421; a C1 control, which has none, is shown as ESC's picture and the character of
// its 7-bit form (CSI, U+009B, as "␛[").
void appendWithControlPictures(MarkupWriter& html, QStringView unit)
{
    if (std::none_of(unit.begin(), unit.end(), isShownAsPicture)) {
        html.append(unit);
        return;
    }
    for (const QChar c : unit) {
        const char16_t code = c.unicode();
        if (!isShownAsPicture(c)) {
            html.append(QStringView(&c, 1));
        } else if (code < 0x20) {
            const char16_t picture = 0x2400 + code;
            html.append(QStringView(&picture, 1));
        } else if (code == 0x7F) {
            html.append(u"\u2421");
        } else {
            const char16_t sevenBit[] = {0x241B, static_cast<char16_t>(code - 0x40)};
            html.append(QStringView(sevenBit, 2));
        }
    }
}

} // namespace

const FormatDescription& FormatDescription::of(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Font:
        break;
    case OutputFormat::Span:
        return kSpan;
    case OutputFormat::Bbcode:
        return kBbcode;
    case OutputFormat::Ansi:
        return kAnsi;
    case OutputFormat::Css:
        return kCss;
    }
    return kFont;
}

void FormatDescription::writeOpening(MarkupWriter& html, const GradientSettings& settings) const
{
    const std::array<bool, 4> on{settings.bold, settings.italic, settings.underline, settings.strike};
    for (std::size_t index = 0; index < on.size(); ++index) {
        if (on[index])
            html.append(styles[index].open);
    }
    if (const std::optional<int> size = writtenFontSize(settings); size && !sizeOpen.isEmpty()) {
        html.append(sizeOpen);
        if (sizeValue == SizeValue::CssKeyword)
            html.append(sizeKeyword(*size));
        else
            MarkupPieces::appendDecimal(html, static_cast<qint16>(*size));
        html.append(sizeOpenEnd);
    }
    if (const std::optional<int> level = writtenHeading(settings); level && !headingOpen.open.isEmpty()) {
        html.append(headingOpen.open);
        MarkupPieces::appendDecimal(html, static_cast<qint16>(*level));
        html.append(headingOpen.close);
    }
    html.append(settings.tagsBefore);
    if (codeLineBreaks && settings.lineBreaks)
        html.append(MarkupPieces::kCodeLineBreak);
}

void FormatDescription::writeClosing(MarkupWriter& html, const GradientSettings& settings) const
{
    html.append(settings.tagsAfter);
    if (writtenFontSize(settings))
        html.append(sizeClose);
    if (const std::optional<int> level = writtenHeading(settings); level && !headingClose.open.isEmpty()) {
        html.append(headingClose.open);
        MarkupPieces::appendDecimal(html, static_cast<qint16>(*level));
        html.append(headingClose.close);
    }
    const std::array<bool, 4> on{settings.bold, settings.italic, settings.underline, settings.strike};
    for (std::size_t index = on.size(); index-- > 0;) {
        if (on[index])
            html.append(styles[index].close);
    }
    html.append(finalReset);
}

void FormatDescription::writeElementOpen(MarkupWriter& html, const ColourTriple& colour) const
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
        MarkupPieces::appendDecimal(html, colour.red);
        html.append(u";");
        MarkupPieces::appendDecimal(html, colour.green);
        html.append(u";");
        MarkupPieces::appendDecimal(html, colour.blue);
        break;
    }
    html.append(elementOpenEnd);
}

void FormatDescription::writeText(MarkupWriter& html, QStringView unit) const
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
    }
}

} // namespace huespan
