#include "AnsiUnitWriter.h"

#include "MarkupPieces.h"

#include <algorithm>

namespace huespan {

AnsiUnitWriter::AnsiUnitWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
{
}

void AnsiUnitWriter::opening()
{
    if (m_settings.bold)
        m_html.append(u"\x1b[1m");
    if (m_settings.italic)
        m_html.append(u"\x1b[3m");
    if (m_settings.underline)
        m_html.append(u"\x1b[4m");
    if (m_settings.strike)
        m_html.append(u"\x1b[9m");
    m_html.append(m_settings.tagsBefore);
}

void AnsiUnitWriter::openElement(const ColourTriple& colour)
{
    m_html.append(u"\x1b[38;2;");
    MarkupPieces::appendDecimal(m_html, colour.red);
    m_html.append(u";");
    MarkupPieces::appendDecimal(m_html, colour.green);
    m_html.append(u";");
    MarkupPieces::appendDecimal(m_html, colour.blue);
    m_html.append(u"m");
}

void AnsiUnitWriter::text(QStringView unit)
{
    const auto isShownAsPicture = [](QChar c) {
        const char16_t code = c.unicode();
        return (code < 0x20 && code != u'\t' && code != u'\n') || (code >= 0x7F && code <= 0x9F);
    };
    if (std::none_of(unit.begin(), unit.end(), isShownAsPicture)) {
        m_html.append(unit);
        return;
    }
    // A control character of the text would steer the terminal (move the cursor, clear the
    // screen, set the title); it is shown as its picture instead. C0 controls have theirs from
    // U+2400 on and DEL has U+2421; a C1 control, which has none, is shown as ESC's picture and
    // the character of its 7-bit form (CSI, U+009B, as "␛[").
    for (const QChar c : unit) {
        const char16_t code = c.unicode();
        if (!isShownAsPicture(c)) {
            m_html.append(QStringView(&c, 1));
        } else if (code < 0x20) {
            const char16_t picture = 0x2400 + code;
            m_html.append(QStringView(&picture, 1));
        } else if (code == 0x7F) {
            m_html.append(u"\u2421");
        } else {
            const char16_t sevenBit[] = {0x241B, static_cast<char16_t>(code - 0x40)};
            m_html.append(QStringView(sevenBit, 2));
        }
    }
}

void AnsiUnitWriter::lineBreak()
{
    m_html.append(u"\n");
}

void AnsiUnitWriter::closing()
{
    m_html.append(m_settings.tagsAfter);
    m_html.append(u"\x1b[0m");
}

} // namespace huespan
