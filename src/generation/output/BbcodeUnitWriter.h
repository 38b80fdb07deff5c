#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Message-board markup: [color=#RRGGBB] elements inside [b], [i], [u], [s] and [size=N]; the
// characters stand as they are, and a "[" of the text always ends its element. A board takes no
// heading.
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
    enum class Element
    {
        Closed,
        Open,
        // Closed after a "[" of the text, and open again before the element's next unit.
        Interrupted,
    };

    MarkupWriter& m_html;
    const GradientSettings& m_settings;
    Element m_state = Element::Closed;
    ColourTriple m_colour;
};

} // namespace huespan
