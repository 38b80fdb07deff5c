#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// One element for the whole text, painted by a CSS linear gradient through the run's stops and
// clipped to the glyphs; the browser interpolates, so the units' own colours are not written.
class CssUnitWriter final
{
public:
    CssUnitWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(CssUnitWriter)

    void opening();
    void openElement(const ColourTriple&) {}
    void text(QStringView unit);
    void closeElement() {}
    void lineBreak();
    void closing();

    // linear-gradient(...) of the settings' stops, space and hue.
    static QString gradientFunction(const GradientSettings& settings);
    // The interpolation method as CSS writes it after "in": "srgb", "srgb-linear", "oklab",
    // "oklch longer hue". The hue part is written only for the polar spaces and only when it is
    // not the CSS default (shorter).
    static QString interpolationMethod(ColourSpace space, HueInterpolation hue);

private:
    MarkupWriter& m_html;
    const GradientSettings& m_settings;
};

} // namespace huespan
