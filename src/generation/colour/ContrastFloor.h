#pragma once

#include "ColourTriple.h"

#include <QString>
#include <unordered_map>

namespace huespan {

// The contrast of text against its background as WCAG 2 defines it:
// https://www.w3.org/TR/WCAG22/#dfn-contrast-ratio
namespace Contrast {

// The relative luminance of an 8-bit sRGB colour, 0 for black to 1 for white: the components
// linearised as CSS Color 4 does (https://www.w3.org/TR/css-color-4/#color-conversion-code), then
// weighted 0.2126, 0.7152 and 0.0722.
double relativeLuminance(const ColourTriple& colour);

// (L1 + 0.05) / (L2 + 0.05), the lighter colour's luminance over the darker's: 1 to 21.
double ratio(const ColourTriple& first, const ColourTriple& second);

// A ratio as "4.48:1", cut rather than rounded to two decimals, so that a ratio below a level
// never reads as the level itself.
QString ratioText(double ratio);

// The levels that WCAG names: large text (AA), text (AA), and text at the enhanced level (AAA).
inline constexpr double kLargeText = 3.0;
inline constexpr double kText = 4.5;
inline constexpr double kEnhanced = 7.0;

} // namespace Contrast

// The least contrast each unit must keep against the background its text is shown on.
struct ContrastFloor
{
    double ratio = Contrast::kText;
    ColourTriple background{255, 255, 255};

    friend bool operator==(const ContrastFloor&, const ContrastFloor&) = default;
};

// Moves colours below the floor to the nearest colour of the same OKLCH hue that reaches it: only
// the lightness changes (and the chroma, where the gamut mapping of CSS Color 4 has to reduce it),
// darker or lighter, whichever reaches the floor with the smaller change. A colour that reaches
// the floor is kept exactly. Where no lightness of the hue reaches the floor, the colour becomes
// the one of black and white with the more contrast, the most any lightness can give.
class ContrastRaiser final
{
public:
    explicit ContrastRaiser(const ContrastFloor& floor);

    ColourTriple raised(const ColourTriple& colour);

private:
    ColourTriple search(const ColourTriple& colour) const;
    bool reaches(const ColourTriple& colour) const;

    ContrastFloor m_floor;
    double m_backgroundLuminance = 0.0;
    // A gradient repeats its colours; each is searched once.
    std::unordered_map<quint32, ColourTriple> m_known;
};

} // namespace huespan
