#pragma once

#include "ColourSpace.h"
#include "ColourStop.h"
#include "ColourTriple.h"

#include <QtGlobal>
#include <optional>
#include <vector>

namespace huespan {

class GradientSegment;

// A gradient through two or more colour stops, interpolated in one colour space with the rules of
// CSS Color Level 4 and brought into sRGB by its gamut mapping.
//
// A text of n units places unit i (from 0) at 100 * i / (n - 1) percent. Units up to the first
// stop's position take the first stop's colour, units from the last stop's position on the last
// stop's (this rule winning where both apply), as in CSS Images. Where stops share a position the
// colour changes there at once, and a unit on that position takes the colour of the stop that
// holds there: the later one, as in CSS, also at 0 and 100 %. A gradient computed to be read
// backwards (--reverse) lets the earlier one hold instead, which is the later one when read.
//
// In srgb, a stretch between two stops that falls on whole units uses the two-colour arithmetic of
// the classic forms (InterpolateComponent), so two stops at 0 and 100 give exactly their colours;
// elsewhere components are rounded to the nearest whole number.
class StopGradient final
{
public:
    // Which of several stops at one position gives a unit there its colour.
    enum class SharedPosition
    {
        LaterStopHolds,
        EarlierStopHolds,
    };

    // stops: at least two; positions are resolved here if they are not yet.
    StopGradient(std::vector<ColourStop> stops, ColourSpace space, HueInterpolation hue,
                 SharedPosition shared = SharedPosition::LaterStopHolds);

    // The colour at a percentage of the way (0 to 100).
    ColourTriple colourAt(double percent) const;

    // The colour of unit index (from 0) of a text of count units, straight through the
    // conversions; unitColours gives the same for every unit.
    ColourTriple unitColour(qsizetype index, qsizetype count) const;

    // The colours of all count units into out (resized to count); count 1 gives the first stop.
    void unitColours(qsizetype count, std::vector<ColourTriple>& out) const;

    const std::vector<ColourStop>& stops() const { return m_stops; }
    ColourSpace space() const { return m_space; }
    HueInterpolation hue() const { return m_hue; }

private:
    // The stops' places on an axis whose whole length is span units.
    std::vector<double> stopUnits(double span) const;
    // The colour at a point of an axis of span units, from the segment it falls in.
    ColourTriple colourOnAxis(double unit, double span) const;
    // The stop whose colour a point takes when several stops lie exactly on it.
    std::optional<std::size_t> holdingStop(const std::vector<double>& units, double unit) const;

    std::vector<ColourStop> m_stops;
    ColourSpace m_space;
    HueInterpolation m_hue;
    SharedPosition m_shared;
};

} // namespace huespan
