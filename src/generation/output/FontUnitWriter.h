#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// The plain markup: <FONT COLOR="#RRGGBB"> elements inside the style, size or heading elements.
// Each writer of a format offers the same operations, which the extended run calls in text order.
class FontUnitWriter final
{
public:
    FontUnitWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(FontUnitWriter)

    void opening();
    void openElement(const ColourTriple& colour);
    // A unit's characters, escaped.
    void text(QStringView unit);
    void closeElement();
    void lineBreak();
    void closing();

private:
    MarkupWriter& m_html;
    const GradientSettings& m_settings;
};

} // namespace huespan
