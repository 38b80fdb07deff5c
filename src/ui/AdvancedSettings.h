#pragma once

#include "ExtendedSettings.h"
#include "GradientSettings.h"
#include "SettingsConflict.h"

#include <array>
#include <optional>
#include <vector>

namespace huespan {

// Where the colours of the gradient come from.
enum class GradientChoice
{
    // The main window's two colours and form.
    TwoColours,
    // The user's list of stops.
    Stops,
    // The full hue circle.
    Rainbow,
};

// The contrast floors the program offers: large text, text, and text at the enhanced level.
inline constexpr std::array<double, 3> kContrastLevels{Contrast::kLargeText, Contrast::kText,
                                                       Contrast::kEnhanced};

// The desktop program's advanced settings as the user left them: the gradient choice beside the
// stop list, so that a list survives while another choice is in force.
struct AdvancedSettings
{
    GradientChoice gradient = GradientChoice::TwoColours;
    // Every setting but the stops (its own stay empty), which come from the gradient choice. A
    // contrast floor holds its level only: the background is the preview's, taken when a run
    // starts.
    ExtendedSettings options;
    std::vector<ColourStop> stops;

    // What a run takes: the options with the stops (and for the rainbow its space) of the choice.
    ExtendedSettings extended() const;

    // Whether a run gives the plain result; an empty stop list counts as the two colours.
    bool isDefault() const { return extended().isDefault(); }

    // What keeps a run of the main window's settings with these from being written: a list of
    // stops chosen with fewer than two in it (none, too), and the conflicts of the settings.
    std::vector<SettingsConflict> conflictsWith(const GradientSettings& main) const;
    // The first of them.
    std::optional<SettingsConflict> conflictWith(const GradientSettings& main) const;

    friend bool operator==(const AdvancedSettings&, const AdvancedSettings&) = default;
};

} // namespace huespan
