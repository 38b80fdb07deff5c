#pragma once

#include "ColourSpace.h"

namespace huespan {

// Whether linear-light sRGB coordinates lie inside the gamut (every component 0 to 1).
bool inSrgbGamut(const ColourCoordinates& linear);

// Every component clamped to 0 to 1.
ColourCoordinates clippedIntoSrgb(const ColourCoordinates& linear);

// Whether a colour lies so close to the gamut, for its distance from black, that clipping it
// certainly moves it by less than half the just-noticeable difference: the gamut mapping then
// returns the clipped colour without a search, so the clip can be taken directly. With a margin:
// so for every colour within margin of this one.
bool barelyOutsideSrgb(const ColourCoordinates& linear, double margin = 0.0);

// The just-noticeable difference of the gamut mapping, in deltaEOK.
inline constexpr double justNoticeableDifference = 0.02;

// An OKLCH colour brought into sRGB by the gamut mapping of CSS Color Level 4, as linear-light
// sRGB with every component in 0 to 1: the colour itself when it is inside; white from L 1 up and
// black from L 0 down; otherwise the chroma is reduced by binary search (to within 0.0001) until
// the colour clipped into the gamut lies within the just-noticeable difference 0.02 (deltaEOK) of
// it, and that clipped colour is the result. Clipping linear light gives the same colour as
// clipping the encoded components, the transfer function being monotonic and fixing 0 and 1.
ColourCoordinates mapOklchIntoSrgb(const ColourCoordinates& oklch);

} // namespace huespan
