#include "JsonTextWriter.h"

#include "MarkupPieces.h"

#include <array>

namespace huespan {

JsonTextWriter::JsonTextWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
{
}

void JsonTextWriter::opening()
{
    // The empty first component holds no style, so that the components after it do not inherit one.
    m_html.append(u"[\"\"");
    plainComponent(m_settings.tagsBefore);
}

void JsonTextWriter::openElement(const ColourTriple& colour)
{
    m_html.append(u", {\"text\": \"");
    m_colour = colour;
    m_open = true;
}

void JsonTextWriter::text(QStringView unit)
{
    if (m_open)
        appendJsonString(unit);
    else
        plainComponent(unit);
}

void JsonTextWriter::closeElement()
{
    if (!m_open)
        return;
    m_html.append(u"\", \"color\": \"#");
    MarkupPieces::appendColourDigits(m_html, m_colour, MarkupPieces::DigitCase::Lower);
    m_html.append(u"\"");
    const std::array<std::pair<bool, QStringView>, 4> styles{
        {{m_settings.bold, u", \"bold\": true"},
         {m_settings.italic, u", \"italic\": true"},
         {m_settings.underline, u", \"underlined\": true"},
         {m_settings.strike, u", \"strikethrough\": true"}}};
    for (const auto& [on, member] : styles) {
        if (on)
            m_html.append(member);
    }
    m_html.append(u"}");
    m_open = false;
}

void JsonTextWriter::lineBreak()
{
    plainComponent(u"\n");
}

void JsonTextWriter::closing()
{
    plainComponent(m_settings.tagsAfter);
    m_html.append(u"]");
}

void JsonTextWriter::plainComponent(QStringView text)
{
    if (text.isEmpty())
        return;
    m_html.append(u", {\"text\": \"");
    appendJsonString(text);
    m_html.append(u"\"}");
}

void JsonTextWriter::appendJsonString(QStringView text)
{
    // RFC 8259: the quotation mark, the reverse solidus and the control characters U+0000 to
    // U+001F are escaped; the line feed as \n, the others as \u00XX.
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'"') {
            m_html.append(u"\\\"");
        } else if (code == u'\\') {
            m_html.append(u"\\\\");
        } else if (code == u'\n') {
            m_html.append(u"\\n");
        } else if (code < 0x20) {
            constexpr char16_t hex[] = u"0123456789abcdef";
            const char16_t escaped[] = {u'\\', u'u', u'0', u'0', hex[code >> 4], hex[code & 0xF]};
            m_html.append(QStringView(escaped, 6));
        } else {
            m_html.append(QStringView(&c, 1));
        }
    }
}

} // namespace huespan
