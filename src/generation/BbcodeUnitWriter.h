#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Message-board markup: [color=#RRGGBB] elements inside [b], [i], [u], [s] and [size=N]; the
// characters stand as they are. A board takes no heading.
class BbcodeUnitWriter final
{
public:
    BbcodeUnitWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(BbcodeUnitWriter)

    void opening();
    void openElement(const ColourTriple& colour);
    void text(QStringView unit);
    void closeElement();
    void lineBreak();
    void closing();

private:
    MarkupWriter& m_html;
    const GradientSettings& m_settings;
};

} // namespace huespan
