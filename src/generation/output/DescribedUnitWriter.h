#pragma once

#include "ColourTriple.h"
#include "FormatDescription.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Writes the units of a run in a format that gives each element its own colour, from the format's
// description. The extended run calls its operations in text order, as it calls those of the CSS
// writer.
class DescribedUnitWriter final
{
public:
    DescribedUnitWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(DescribedUnitWriter)

    void opening();
    void openElement(const ColourTriple& colour);
    // A unit's characters, escaped as the format needs.
    void text(QStringView unit);
    void closeElement();
    void lineBreak();
    void closing();

private:
    enum class Element : quint8
    {
        Closed,
        Open,
        // Closed after the format's tag start, to open again in the same colour.
        Interrupted,
    };

    void appendCodeLineBreak();

    MarkupWriter& m_html;
    const GradientSettings& m_settings;
    const FormatDescription& m_format;
    ColourTriple m_colour;
    Element m_state = Element::Closed;
};

} // namespace huespan
