#include "FormatDescription.h"

#include "Markup.h"
#include "MarkupPieces.h"

#include <algorithm>

namespace huespan {

namespace {

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

} // namespace

const FormatDescription& FormatDescription::of(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Font:
        break;
    case OutputFormat::Span:
    case OutputFormat::Css:
        return kSpanFormat;
    case OutputFormat::Bbcode:
        return kBbcodeFormat;
    case OutputFormat::Ansi:
        return kAnsiFormat;
    }
    return kFontFormat;
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

// A control character of the text would steer the terminal (move the cursor, clear the screen,
// set the title); it is shown as its picture instead. C0 controls have theirs from U+2400 on and
// DEL has U+2421; a C1 control, which has none, is shown as ESC's picture and the character of
// its 7-bit form (CSI, U+009B, as "␛[").
void FormatDescription::appendWithControlPictures(MarkupWriter& html, QStringView unit)
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

void FormatDescription::appendDecimalTriple(MarkupWriter& html, const ColourTriple& colour)
{
    MarkupPieces::appendDecimal(html, colour.red);
    html.append(u";");
    MarkupPieces::appendDecimal(html, colour.green);
    html.append(u";");
    MarkupPieces::appendDecimal(html, colour.blue);
}

} // namespace huespan
