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

std::vector<SettingsConflict> AdvancedSettings::conflictsWith(const GradientSettings& main) const
{
    GradientSettings combined = main;
    combined.extended = extended();
    std::vector<SettingsConflict> found = findSettingsConflicts(combined, false);
    // An empty list is refused as a single stop is.
    if (gradient == GradientChoice::Stops && stops.empty())
        found.insert(found.begin(),
                     SettingsConflict{SettingsConflict::Setting::SingleStop, combined.extended.format});
    return found;
}

std::optional<SettingsConflict> AdvancedSettings::conflictWith(const GradientSettings& main) const
{
    const std::vector<SettingsConflict> found = conflictsWith(main);
    return found.empty() ? std::nullopt : std::optional<SettingsConflict>(found.front());
}

} // namespace huespan
