#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Text for a terminal: the styles' select-graphic-rendition codes at the start, a 24-bit
// foreground colour before each unit and the reset at the end. A terminal takes no size or heading.
// The text's own control characters (C0 but tab and line feed, DEL, C1) are written as visible
// Control Pictures, so that a text cannot steer the terminal.
class AnsiUnitWriter final
{
public:
    AnsiUnitWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(AnsiUnitWriter)

    void opening();
    void openElement(const ColourTriple& colour);
    void text(QStringView unit);
    // A colour lasts until the next one; nothing ends it.
    void closeElement() {}
    void lineBreak();
    void closing();

private:
    MarkupWriter& m_html;
    const GradientSettings& m_settings;
};

} // namespace huespan
