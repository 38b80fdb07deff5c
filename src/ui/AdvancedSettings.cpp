#include "ui/AdvancedSettings.h"

#include "GradientPresets.h"

namespace huespan {

ExtendedSettings AdvancedSettings::extended() const
{
    ExtendedSettings result = options;
    switch (gradient) {
    case GradientChoice::TwoColours:
        result.stops.clear();
        break;
    case GradientChoice::Stops:
        result.stops = stops;
        break;
    case GradientChoice::Rainbow: {
        const GradientPreset rainbow = rainbowGradient();
        result.stops = rainbow.stops;
        result.space = rainbow.space;
        result.hue = rainbow.hue;
        break;
    }
    }
    return result;
}

std::optional<SettingsConflict> AdvancedSettings::conflictWith(const GradientSettings& main) const
{
    GradientSettings combined = main;
    combined.extended = extended();
    if (gradient == GradientChoice::Stops && stops.size() < 2)
        return SettingsConflict{SettingsConflict::Setting::SingleStop, combined.extended.format};
    return findSettingsConflict(combined, false);
}

} // namespace huespan
