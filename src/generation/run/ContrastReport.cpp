#include "ContrastReport.h"

#include "ContrastFloor.h"
#include "GenerationRun.h"
#include "TextUnits.h"
#include "UnitColours.h"

namespace huespan {

std::optional<ContrastReport> ContrastReport::of(QStringView text, const GradientSettings& settings,
                                                 const ColourTriple& background)
{
    if (text.size() > GenerationRun::kLongestText)
        return std::nullopt;
    const ExtendedSettings& extended = settings.extended;
    const TextUnits units(text, extended.unit, extended.skipWhitespace, extended.keepsLineBreaks());
    const int minimum = settings.form == GradientForm::LeftToRight ? 2 : 3;
    if (units.colouredCount() < minimum)
        return std::nullopt;

    const std::vector<ColourTriple> colours = UnitColours::scheduleOf(settings, units);
    ContrastReport report;
    report.units = units.colouredCount();
    size_t next = 0;
    for (qsizetype index = 0; index < units.count(); ++index) {
        if (units.kind(index) != TextUnits::Kind::Coloured)
            continue;
        const ColourTriple& colour = colours[next++];
        const double ratio = Contrast::ratio(colour, background);
        if (ratio < report.lowest) {
            report.lowest = ratio;
            report.lowestUnit = units.at(index).toString();
            report.lowestColour = colour;
        }
        report.belowLargeText += ratio < Contrast::kLargeText;
        report.belowText += ratio < Contrast::kText;
        report.belowEnhanced += ratio < Contrast::kEnhanced;
        report.belowFloor += extended.contrastFloor && ratio < extended.contrastFloor->ratio;
    }
    return report;
}

} // namespace huespan
