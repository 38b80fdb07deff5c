#pragma once

#include "ColourTriple.h"

#include <optional>
#include <vector>

namespace huespan {

// One colour stop of a gradient.
struct ColourStop
{
    ColourTriple colour;            // sRGB components 0 to 255
    std::optional<double> position; // percent 0 to 100; empty: placed by the CSS rules

    friend bool operator==(const ColourStop&, const ColourStop&) = default;
};

// Every position set by the rules of CSS gradients: positions are clamped to 0 to 100; a missing
// first position is 0 and a missing last one 100; a position below an earlier one is raised to
// it; each run of missing positions is spread evenly between its positioned neighbours.
std::vector<ColourStop> resolveStopPositions(std::vector<ColourStop> stops);

// The mirrored form, the colours running to the centre and back: resolved stops at p become
// stops at p / 2 and at 100 - p / 2, so A, B, C becomes A, B, C, B, A (a stop at 100 meets its
// mirror image at 50 and is kept once).
std::vector<ColourStop> mirroredStops(const std::vector<ColourStop>& resolved);

// The colours running the other way: p becomes 100 - p and the order is reversed.
std::vector<ColourStop> reversedStops(const std::vector<ColourStop>& resolved);

} // namespace huespan
