#include "Markup.h"

#include "ColourValues.h"

#include <array>

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

bool writesFontSize(const GradientSettings& settings)
{
    return settings.sizeMode == SizeMode::Normal && settings.fontSize != kNoSizeItem;
}

bool writesHeading(const GradientSettings& settings)
{
    return settings.sizeMode == SizeMode::Heading && settings.heading != kNoSizeItem;
}

// The number the size item begins with, in plain decimal ("3" stays "3").
QString sizeNumber(const QString& item)
{
    qsizetype digits = 0;
    while (digits < item.size() && item[digits].unicode() >= u'0' && item[digits].unicode() <= u'9')
        ++digits;
    bool ok = false;
    const int value = QStringView(item).left(digits).toInt(&ok);
    return QString::number(ok ? value : 0);
}

bool isByteComponent(qint16 component)
{
    return component >= 0 && component <= 255;
}

void writeHexPair(QChar* place, qint16 component)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    place[0] = QChar(kDigits[(component >> 4) & 0xF]);
    place[1] = QChar(kDigits[component & 0xF]);
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
    if (writesFontSize(settings)) {
        html.append(u"<FONT SIZE=\"");
        html.append(sizeNumber(settings.fontSize));
        html.append(u"\">");
    }
    if (writesHeading(settings)) {
        html.append(u"<");
        html.append(settings.heading);
        html.append(u">");
    }
    html.append(settings.tagsBefore);
    if (settings.lineBreaks)
        html.append(kLineBreak);
}

QStringView EscapeCharacter(QStringView character)
{
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

void EmitCharacter(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                   const GradientSettings& settings)
{
    const QStringView escaped = EscapeCharacter(character);
    if (!isByteComponent(colour.red) || !isByteComponent(colour.green) || !isByteComponent(colour.blue)) {
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

    // The hot path of every run: one claim, then plain stores.
    const qsizetype length = kElementFrame + escaped.size() + (settings.lineBreaks ? kLineBreak.size() : 0);
    QChar* out = html.claim(length);
    out = std::copy(kColourOpen.begin(), kColourOpen.end(), out);
    writeHexPair(out, colour.red);
    writeHexPair(out + 2, colour.green);
    writeHexPair(out + 4, colour.blue);
    out += kColourDigits;
    out = std::copy(kColourOpenEnd.begin(), kColourOpenEnd.end(), out);
    out = std::copy(escaped.begin(), escaped.end(), out);
    out = std::copy(kFontClose.begin(), kFontClose.end(), out);
    if (settings.lineBreaks)
        std::copy(kLineBreak.begin(), kLineBreak.end(), out);
}

void EmitClosing(MarkupWriter& html, const GradientSettings& settings)
{
    html.append(settings.tagsAfter);
    if (writesFontSize(settings))
        html.append(kFontClose);
    if (writesHeading(settings)) {
        html.append(u"</");
        html.append(settings.heading);
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

qsizetype OpeningLengthBound(const GradientSettings& settings)
{
    return 12 + 32 + settings.heading.size() + settings.tagsBefore.size() + kLineBreak.size();
}

qsizetype ClosingLengthBound(const GradientSettings& settings)
{
    return settings.tagsAfter.size() + 7 + 3 + settings.heading.size() + 16;
}

qsizetype CharacterElementLengthBound(qsizetype codeUnits)
{
    // A surrogate pair is two code units in one element, so per code unit this is generous.
    return codeUnits * (kElementFrame + kLongestEscape + kLineBreak.size());
}

} // namespace huespan
