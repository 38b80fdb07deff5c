#include "SettingsConflict.h"

#include "Markup.h"

namespace huespan {

std::optional<SettingsConflict> findSettingsConflict(const GradientSettings& settings, bool wholePage)
{
    const OutputFormat format = settings.extended.format;
    const bool board = format == OutputFormat::Bbcode;
    const bool terminal = format == OutputFormat::Ansi;
    const auto conflict = [format](SettingsConflict::Setting setting) {
        return std::optional<SettingsConflict>(SettingsConflict{setting, format});
    };
    if (settings.extended.stops.size() == 1)
        return conflict(SettingsConflict::Setting::SingleStop);
    if (format == OutputFormat::Css && settings.extended.contrastFloor)
        return conflict(SettingsConflict::Setting::ContrastFloor);
    if ((board || terminal) && writtenHeading(settings))
        return conflict(SettingsConflict::Setting::Heading);
    if (terminal && writtenFontSize(settings))
        return conflict(SettingsConflict::Setting::FontSize);
    if ((board || terminal) && wholePage)
        return conflict(SettingsConflict::Setting::Page);
    if ((board || terminal) && settings.lineBreaks)
        return conflict(SettingsConflict::Setting::LineBreaks);
    return std::nullopt;
}

} // namespace huespan
