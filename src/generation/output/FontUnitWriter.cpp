#include "FontUnitWriter.h"

#include "Markup.h"
#include "MarkupPieces.h"

namespace huespan {

FontUnitWriter::FontUnitWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
{
}

void FontUnitWriter::opening()
{
    EmitOpening(m_html, m_settings);
}

void FontUnitWriter::openElement(const ColourTriple& colour)
{
    m_html.append(u"<FONT COLOR=\"#");
    MarkupPieces::appendColourDigits(m_html, colour, MarkupPieces::DigitCase::Upper);
    m_html.append(u"\">");
}

void FontUnitWriter::text(QStringView unit)
{
    MarkupPieces::appendHtmlEscaped(m_html, unit);
}

void FontUnitWriter::closeElement()
{
    m_html.append(u"</FONT>");
    if (m_settings.lineBreaks)
        m_html.append(u"\r\n");
}

void FontUnitWriter::lineBreak()
{
    m_html.append(u"<BR>");
    if (m_settings.lineBreaks)
        m_html.append(u"\r\n");
}

void FontUnitWriter::closing()
{
    EmitClosing(m_html, m_settings);
}

} // namespace huespan
