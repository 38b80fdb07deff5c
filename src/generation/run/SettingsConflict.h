#pragma once

#include "GradientSettings.h"

#include <optional>
#include <vector>

namespace huespan {

// A combination of settings that a run cannot write. Every front end asks before it starts a run
// and words the conflict its own way.
struct SettingsConflict
{
    enum class Setting
    {
        // A heading level in heading mode: only HTML has headings.
        Heading,
        // A font size in normal mode: terminals, Minecraft and MFM have no font sizes.
        FontSize,
        // Underlined text, which MFM cannot write.
        Underline,
        // The whole preview page, which is HTML.
        Page,
        // Line breaks after the elements, which every format but HTML would show as text.
        LineBreaks,
        // A single colour stop: a gradient needs two.
        SingleStop,
        // A contrast floor, which keeps each unit's colour, for the CSS gradient, which has none.
        ContrastFloor,
    };

    Setting setting;
    OutputFormat format;

    friend bool operator==(const SettingsConflict&, const SettingsConflict&) = default;
};

// Every conflict of the settings, in the order they are named; none when a run can write them.
// wholePage is whether the markup goes into the preview page.
std::vector<SettingsConflict> findSettingsConflicts(const GradientSettings& settings, bool wholePage);
// The first of them.
std::optional<SettingsConflict> findSettingsConflict(const GradientSettings& settings, bool wholePage);

} // namespace huespan
