#include "DescribedUnitWriter.h"

#include "MarkupPieces.h"

namespace huespan {

DescribedUnitWriter::DescribedUnitWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
    , m_format(FormatDescription::of(settings.extended.format))
{
}

void DescribedUnitWriter::opening()
{
    m_format.writeOpening(m_html, m_settings);
}

void DescribedUnitWriter::openElement(const ColourTriple& colour)
{
    m_format.writeElementOpen(m_html, colour);
    m_colour = colour;
    m_state = Element::Open;
}

void DescribedUnitWriter::text(QStringView unit)
{
    if (m_state == Element::Interrupted)
        openElement(m_colour);
    m_format.writeText(m_html, unit);
    // The element opens again, in the same colour, only if another unit follows in it.
    if (!m_format.tagStart.isNull() && unit.contains(m_format.tagStart)) {
        m_html.append(m_format.elementClose);
        m_state = Element::Interrupted;
    }
}

void DescribedUnitWriter::closeElement()
{
    if (m_state == Element::Open) {
        m_html.append(m_format.elementClose);
        appendCodeLineBreak();
    }
    m_state = Element::Closed;
}

void DescribedUnitWriter::lineBreak()
{
    m_html.append(m_format.lineBreak);
    appendCodeLineBreak();
}

void DescribedUnitWriter::closing()
{
    m_format.writeClosing(m_html, m_settings);
}

void DescribedUnitWriter::appendCodeLineBreak()
{
    if (m_format.codeLineBreaks && m_settings.lineBreaks)
        m_html.append(MarkupPieces::kCodeLineBreak);
}

} // namespace huespan
