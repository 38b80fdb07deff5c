#pragma once

#include "ColourTriple.h"

namespace huespan {

// How a colour looks to a person with one of the three dichromacies, by the model of Machado,
// Oliveira and Fernandes (2009), "A Physiologically-based Model for Simulation of Color Vision
// Deficiency", at severity 1.0: the published matrix applied to linear-light sRGB.
enum class ColourVision
{
    Typical,
    Protanopia,
    Deuteranopia,
    Tritanopia,
};

// The 8-bit colour seen instead of colour; the colour itself for typical vision.
ColourTriple simulatedColour(const ColourTriple& colour, ColourVision vision);

} // namespace huespan
