#include "CliPresetList.h"

#include "ColourValues.h"
#include "GradientPresets.h"
#include "SettingNames.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace huespan::CliPresetList {

QString stopsText(const std::vector<ColourStop>& stops)
{
    QStringList written;
    for (const ColourStop& stop : resolveStopPositions(stops))
        written.append(u'#' + ColourCode(stop.colour) + u'@' +
                       QString::number(stop.position.value_or(0.0), 'g', 6));
    return written.join(u' ');
}

QString text()
{
    const std::vector<GradientPreset>& presets = gradientPresets();
    qsizetype nameWidth = 0;
    for (const GradientPreset& preset : presets)
        nameWidth = std::max(nameWidth, preset.name.size());

    QString list;
    for (const GradientPreset& preset : presets) {
        QString space = nameOf(preset.space);
        if (preset.space == ColourSpace::Oklch || preset.space == ColourSpace::Hsl)
            space += u", "_s + nameOf(preset.hue) + u" hue"_s;
        list += preset.name.leftJustified(nameWidth) + u"  "_s + stopsText(preset.stops) + u"  ("_s + space +
                u")  "_s + preset.description + u'\n';
    }
    return list;
}

} // namespace huespan::CliPresetList
