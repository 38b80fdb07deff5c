#include "BbcodeUnitWriter.h"

#include "Markup.h"
#include "MarkupPieces.h"

namespace huespan {

BbcodeUnitWriter::BbcodeUnitWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
{
}

void BbcodeUnitWriter::opening()
{
    if (m_settings.bold)
        m_html.append(u"[b]");
    if (m_settings.italic)
        m_html.append(u"[i]");
    if (m_settings.underline)
        m_html.append(u"[u]");
    if (m_settings.strike)
        m_html.append(u"[s]");
    if (const std::optional<int> size = writtenFontSize(m_settings)) {
        m_html.append(u"[size=");
        MarkupPieces::appendDecimal(m_html, static_cast<qint16>(*size));
        m_html.append(u"]");
    }
    m_html.append(m_settings.tagsBefore);
}

void BbcodeUnitWriter::openElement(const ColourTriple& colour)
{
    m_html.append(u"[color=#");
    MarkupPieces::appendColourDigits(m_html, colour, MarkupPieces::DigitCase::Upper);
    m_html.append(u"]");
    m_colour = colour;
    m_state = Element::Open;
}

void BbcodeUnitWriter::text(QStringView unit)
{
    if (m_state == Element::Interrupted)
        openElement(m_colour);
    m_html.append(unit);
    // A "[" of the text ends its element, so that with merged elements no tag can form from it
    // and the characters after it, as none can when every unit has its own element. The element
    // opens again, in the same colour, only if another unit follows in it.
    if (m_state == Element::Open && unit.contains(u'[')) {
        m_html.append(u"[/color]");
        m_state = Element::Interrupted;
    }
}

void BbcodeUnitWriter::closeElement()
{
    if (m_state == Element::Open)
        m_html.append(u"[/color]");
    m_state = Element::Closed;
}

void BbcodeUnitWriter::lineBreak()
{
    m_html.append(u"\n");
}

void BbcodeUnitWriter::closing()
{
    m_html.append(m_settings.tagsAfter);
    if (writtenFontSize(m_settings))
        m_html.append(u"[/size]");
    if (m_settings.strike)
        m_html.append(u"[/s]");
    if (m_settings.underline)
        m_html.append(u"[/u]");
    if (m_settings.italic)
        m_html.append(u"[/i]");
    if (m_settings.bold)
        m_html.append(u"[/b]");
}

} // namespace huespan
