#include "Markup.h"

#include "ColourValues.h"

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

// The two upper-case hexadecimal digits of every byte, ready to be stored as one unit.
struct HexPairTable
{
    char16_t digits[256][2];

    constexpr HexPairTable()
        : digits{}
    {
        constexpr char16_t hex[] = u"0123456789ABCDEF";
        for (int value = 0; value < 256; ++value) {
            digits[value][0] = hex[value >> 4];
            digits[value][1] = hex[value & 0xF];
        }
    }
};
constexpr HexPairTable kHexPairs;

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

    // The hot path of every run: one claim, then stores of known sizes.
    const qsizetype length = kElementFrame + escaped.size() + (settings.lineBreaks ? kLineBreak.size() : 0);
    QChar* out = html.claim(length);
    out = copyFixed(out, u"<FONT COLOR=\"#");
    std::memcpy(out, kHexPairs.digits[colour.red], 2 * sizeof(char16_t));
    std::memcpy(out + 2, kHexPairs.digits[colour.green], 2 * sizeof(char16_t));
    std::memcpy(out + 4, kHexPairs.digits[colour.blue], 2 * sizeof(char16_t));
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
