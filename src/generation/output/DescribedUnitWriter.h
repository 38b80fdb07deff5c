#pragma once

#include "ColourTriple.h"
#include "FormatDescription.h"
#include "GradientSettings.h"
#include "MarkupPieces.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Writes the units of a run in a format that gives each element its own colour, from the format's
// description. The extended run calls its operations in text order, as it calls those of the CSS
// writer. The description is a template argument so that its pieces are constants where a unit is
// written, as the plain markup's are.
template <const FormatDescription& Format> class DescribedUnitWriter final
{
public:
    DescribedUnitWriter(MarkupWriter& html, const GradientSettings& settings)
        : m_html(html)
        , m_settings(settings)
        , m_codeLineBreaks(Format.codeLineBreaks && settings.lineBreaks)
    {
    }
    Q_DISABLE_COPY_MOVE(DescribedUnitWriter)

    void opening() { Format.writeOpening(m_html, m_settings); }

    void openElement(const ColourTriple& colour)
    {
        Format.writeElementOpen(m_html, colour, m_settings);
        m_colour = colour;
        m_state = Element::Open;
    }

    // A unit's characters, escaped as the format needs.
    void text(QStringView unit)
    {
        if (m_state == Element::Interrupted)
            openElement(m_colour);
        Format.writeText(m_html, unit);
        // The element opens again, in the same colour, only if another unit follows in it.
        if (!Format.tagStart.isNull() && unit.contains(Format.tagStart)) {
            m_html.append(Format.elementClose);
            m_state = Element::Interrupted;
        }
    }

    void closeElement()
    {
        if (m_state == Element::Open) {
            m_html.append(Format.elementClose);
            appendCodeLineBreak();
        }
        m_state = Element::Closed;
    }

    void lineBreak()
    {
        m_html.append(Format.lineBreak);
        appendCodeLineBreak();
    }

    void closing() { Format.writeClosing(m_html, m_settings); }

private:
    enum class Element : quint8
    {
        Closed,
        Open,
        // Closed after the format's tag start, to open again in the same colour.
        Interrupted,
    };

    void appendCodeLineBreak()
    {
        if (m_codeLineBreaks)
            m_html.append(MarkupPieces::kCodeLineBreak);
    }

    MarkupWriter& m_html;
    const GradientSettings& m_settings;
    // The main window's line breaks in the code, where the format writes them.
    const bool m_codeLineBreaks;
    ColourTriple m_colour;
    Element m_state = Element::Closed;
};

} // namespace huespan
