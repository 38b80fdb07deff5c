#include "SpanUnitWriter.h"

#include "Markup.h"
#include "MarkupPieces.h"

#include <algorithm>
#include <array>

namespace huespan {

namespace {

// The CSS keywords of the seven font sizes, smallest first.
QStringView sizeKeyword(int size)
{
    static constexpr std::array<QStringView, 7> keywords{u"x-small", u"small",    u"medium",   u"large",
                                                         u"x-large", u"xx-large", u"xxx-large"};
    return keywords[static_cast<size_t>(std::clamp(size, 1, 7) - 1)];
}

} // namespace

SpanUnitWriter::SpanUnitWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
{
}

void SpanUnitWriter::writeWrappersOpening(MarkupWriter& html, const GradientSettings& settings)
{
    if (settings.bold)
        html.append(u"<b>");
    if (settings.italic)
        html.append(u"<i>");
    if (settings.underline)
        html.append(u"<u>");
    if (settings.strike)
        html.append(u"<s>");
    if (const std::optional<int> size = writtenFontSize(settings)) {
        html.append(u"<span style=\"font-size:");
        html.append(sizeKeyword(*size));
        html.append(u"\">");
    }
    if (const std::optional<int> level = writtenHeading(settings)) {
        html.append(u"<h");
        MarkupPieces::appendDecimal(html, static_cast<qint16>(*level));
        html.append(u">");
    }
    html.append(settings.tagsBefore);
    if (settings.lineBreaks)
        html.append(u"\r\n");
}

void SpanUnitWriter::writeWrappersClosing(MarkupWriter& html, const GradientSettings& settings)
{
    html.append(settings.tagsAfter);
    if (writtenFontSize(settings))
        html.append(u"</span>");
    if (const std::optional<int> level = writtenHeading(settings)) {
        html.append(u"</h");
        MarkupPieces::appendDecimal(html, static_cast<qint16>(*level));
        html.append(u">");
    }
    if (settings.strike)
        html.append(u"</s>");
    if (settings.underline)
        html.append(u"</u>");
    if (settings.italic)
        html.append(u"</i>");
    if (settings.bold)
        html.append(u"</b>");
}

void SpanUnitWriter::opening()
{
    writeWrappersOpening(m_html, m_settings);
}

void SpanUnitWriter::openElement(const ColourTriple& colour)
{
    m_html.append(u"<span style=\"color:#");
    MarkupPieces::appendColourDigits(m_html, colour, MarkupPieces::DigitCase::Lower);
    m_html.append(u"\">");
}

void SpanUnitWriter::text(QStringView unit)
{
    MarkupPieces::appendHtmlEscaped(m_html, unit);
}

void SpanUnitWriter::closeElement()
{
    m_html.append(u"</span>");
    if (m_settings.lineBreaks)
        m_html.append(u"\r\n");
}

void SpanUnitWriter::lineBreak()
{
    m_html.append(u"<br>");
    if (m_settings.lineBreaks)
        m_html.append(u"\r\n");
}

void SpanUnitWriter::closing()
{
    writeWrappersClosing(m_html, m_settings);
}

} // namespace huespan
