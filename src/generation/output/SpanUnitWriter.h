#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Modern HTML: <span style="color:#rrggbb"> elements inside <b>, <i>, <u>, <s>, a font-size span
// or a heading element.
class SpanUnitWriter final
{
public:
    SpanUnitWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(SpanUnitWriter)

    void opening();
    void openElement(const ColourTriple& colour);
    void text(QStringView unit);
    void closeElement();
    void lineBreak();
    void closing();

    // The wrappers alone, which the CSS gradient element shares.
    static void writeWrappersOpening(MarkupWriter& html, const GradientSettings& settings);
    static void writeWrappersClosing(MarkupWriter& html, const GradientSettings& settings);

private:
    MarkupWriter& m_html;
    const GradientSettings& m_settings;
};

} // namespace huespan
