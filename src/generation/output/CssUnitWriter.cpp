#include "CssUnitWriter.h"

#include "ColourValues.h"
#include "FormatDescription.h"
#include "MarkupPieces.h"
#include "SettingNames.h"
#include "UnitColours.h"

using namespace Qt::StringLiterals;

namespace huespan {

CssUnitWriter::CssUnitWriter(MarkupWriter& html, const GradientSettings& settings)
    : m_html(html)
    , m_settings(settings)
{
}

QString CssUnitWriter::interpolationMethod(ColourSpace space, HueInterpolation hue)
{
    // CSS calls linear sRGB "srgb-linear"; its other names are the settings' own.
    const QString name = space == ColourSpace::LinearSrgb ? u"srgb-linear"_s : nameOf(space);
    if (!isPolar(space) || hue == HueInterpolation::Shorter)
        return name;
    return name + u' ' + nameOf(hue) + u" hue"_s;
}

QString CssUnitWriter::gradientFunction(const GradientSettings& settings)
{
    QString function = u"linear-gradient("_s;
    // sRGB is what a gradient interpolates in by default; naming no space keeps the gradient
    // readable by browsers that know no interpolation methods.
    if (settings.extended.space != ColourSpace::Srgb)
        function += u"in "_s + interpolationMethod(settings.extended.space, settings.extended.hue) + u' ';
    function += u"to right"_s;
    for (const ColourStop& stop : UnitColours::effectiveStops(settings)) {
        function += u", #"_s + ColourCode(stop.colour).toLower() + u' ' +
                    QString::number(stop.position.value_or(0.0), 'g', 6) + u'%';
    }
    return function + u')';
}

void CssUnitWriter::opening()
{
    FormatDescription::of(OutputFormat::Css).writeOpening(m_html, m_settings);
    m_html.append(u"<span style=\"background-image:");
    m_html.append(gradientFunction(m_settings));
    m_html.append(u";-webkit-background-clip:text;background-clip:text;color:transparent\">");
}

void CssUnitWriter::text(QStringView unit)
{
    MarkupPieces::appendHtmlEscaped(m_html, unit);
}

void CssUnitWriter::lineBreak()
{
    m_html.append(u"<br>");
}

void CssUnitWriter::closing()
{
    m_html.append(u"</span>");
    if (m_settings.lineBreaks)
        m_html.append(u"\r\n");
    FormatDescription::of(OutputFormat::Css).writeClosing(m_html, m_settings);
}

} // namespace huespan
