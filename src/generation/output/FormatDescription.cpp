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

// Pango's seven size keywords, smallest first (it has no xxx-large).
QStringView pangoSizeKeyword(int size)
{
    static constexpr std::array<QStringView, 7> keywords{u"xx-small", u"x-small", u"small",   u"medium",
                                                         u"large",    u"x-large", u"xx-large"};
    return keywords[static_cast<size_t>(std::clamp(size, 1, 7) - 1)];
}

// The characters from which MFM makes syntax: mentions (@), hashtags (#), links and emoji codes
// (:), functions ($[ ]), bold, italic and strike (* _ ~), code (`), tags (< >), link labels
// ([ ] ( )), maths (\) and quotes (>).
bool isMfmSyntax(QChar c)
{
    static constexpr QStringView syntax = u"@#:$[]*_~`<>()\\";
    return syntax.contains(c);
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
    case OutputFormat::MiniMessage:
        return kMiniMessageFormat;
    case OutputFormat::MinecraftHex:
        return kMinecraftHexFormat;
    case OutputFormat::MinecraftSection:
        return kMinecraftSectionFormat;
    case OutputFormat::MinecraftJson:
        // Written by a writer of its own; its wrappers are none.
        break;
    case OutputFormat::Mfm:
        return kMfmFormat;
    case OutputFormat::Pango:
        return kPangoFormat;
    }
    return kFontFormat;
}

void FormatDescription::writeStyleOpenings(MarkupWriter& html, const GradientSettings& settings) const
{
    const std::array<bool, 4> on{settings.bold, settings.italic, settings.underline, settings.strike};
    for (std::size_t index = 0; index < on.size(); ++index) {
        if (on[index])
            html.append(styles[index].open);
    }
}

void FormatDescription::writeOpening(MarkupWriter& html, const GradientSettings& settings) const
{
    if (!stylesPerElement)
        writeStyleOpenings(html, settings);
    if (const std::optional<int> size = writtenFontSize(settings); size && !sizeOpen.isEmpty()) {
        html.append(sizeOpen);
        if (sizeValue == SizeValue::CssKeyword)
            html.append(sizeKeyword(*size));
        else if (sizeValue == SizeValue::PangoKeyword)
            html.append(pangoSizeKeyword(*size));
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

namespace {

// XML cannot hold the C0 controls but tab, line feed and carriage return at all; they show as their
// pictures.
void appendControlPicture(MarkupWriter& html, QChar control)
{
    const char16_t picture = 0x2400 + control.unicode();
    html.append(QStringView(&picture, 1));
}

} // namespace

void FormatDescription::appendEscaped(MarkupWriter& html, QStringView unit) const
{
    switch (escape) {
    case Escape::Xml:
        for (const QChar c : unit) {
            if (c == u'<')
                html.append(u"&lt;");
            else if (c == u'>')
                html.append(u"&gt;");
            else if (c == u'&')
                html.append(u"&amp;");
            else if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
                appendControlPicture(html, c);
            else
                html.append(QStringView(&c, 1));
        }
        break;
    case Escape::MiniMessage:
        for (const QChar c : unit) {
            if (c == u'<' || c == u'\\')
                html.append(u"\\");
            html.append(QStringView(&c, 1));
        }
        break;
    case Escape::MfmPlain:
        // A unit is one character or one grapheme, so no "</plain>" can come from it.
        if (std::any_of(unit.begin(), unit.end(), isMfmSyntax)) {
            html.append(u"<plain>");
            html.append(unit);
            html.append(u"</plain>");
        } else {
            html.append(unit);
        }
        break;
    default:
        html.append(unit);
        break;
    }
}

void FormatDescription::appendSectionDigits(MarkupWriter& html, const ColourTriple& colour)
{
    const auto& digits = MarkupPieces::kLowerHexPairs.digits;
    for (const qint16 component : {colour.red, colour.green, colour.blue}) {
        const auto byte = static_cast<std::size_t>(std::clamp<qint16>(component, 0, 255));
        const char16_t pieces[] = {u'§', digits[byte][0], u'§', digits[byte][1]};
        html.append(QStringView(pieces, 4));
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
