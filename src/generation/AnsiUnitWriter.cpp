#include "AnsiUnitWriter.h"

#include "MarkupPieces.h"

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
    m_html.append(unit);
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
