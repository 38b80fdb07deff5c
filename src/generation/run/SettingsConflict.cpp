#include "SettingsConflict.h"

#include "Markup.h"

namespace huespan {

std::vector<SettingsConflict> findSettingsConflicts(const GradientSettings& settings, bool wholePage)
{
    const OutputFormat format = settings.extended.format;
    const bool html = isHtmlFormat(format);
    // Of the formats beside HTML, message boards and Pango have font sizes.
    const bool sizes = html || format == OutputFormat::Bbcode || format == OutputFormat::Pango;
    std::vector<SettingsConflict> found;
    const auto conflictIf = [&](bool holds, SettingsConflict::Setting setting) {
        if (holds)
            found.push_back(SettingsConflict{setting, format});
    };
    conflictIf(settings.extended.stops.size() == 1, SettingsConflict::Setting::SingleStop);
    conflictIf(format == OutputFormat::Css && settings.extended.contrastFloor.has_value(),
               SettingsConflict::Setting::ContrastFloor);
    conflictIf(!html && writtenHeading(settings), SettingsConflict::Setting::Heading);
    conflictIf(!sizes && writtenFontSize(settings), SettingsConflict::Setting::FontSize);
    conflictIf(format == OutputFormat::Mfm && settings.underline, SettingsConflict::Setting::Underline);
    conflictIf(!html && wholePage, SettingsConflict::Setting::Page);
    conflictIf(!html && settings.lineBreaks, SettingsConflict::Setting::LineBreaks);
    return found;
}

std::optional<SettingsConflict> findSettingsConflict(const GradientSettings& settings, bool wholePage)
{
    const std::vector<SettingsConflict> found = findSettingsConflicts(settings, wholePage);
    return found.empty() ? std::nullopt : std::optional<SettingsConflict>(found.front());
}

} // namespace huespan
