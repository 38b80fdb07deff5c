#pragma once

#include "ColourTriple.h"

namespace huespan {

// to − from per component, in 16-bit arithmetic as the gradients take their deltas.
ColourTriple ColourDifference(const ColourTriple& to, const ColourTriple& from);

// Every component interpolated from start by delta at position of span.
ColourTriple StepColour(const ColourTriple& start, const ColourTriple& delta, int position, int span);

} // namespace huespan
