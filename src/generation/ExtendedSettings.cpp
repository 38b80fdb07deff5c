#include "ExtendedSettings.h"

namespace huespan {

bool ExtendedSettings::isDefault() const
{
    return stops.empty() && space == ColourSpace::Srgb && hue == HueInterpolation::Shorter && !reverse &&
           unit == TextUnit::CodePoint && format == OutputFormat::Font && !merge && !skipWhitespace &&
           !keepLineBreaks && !contrastFloor;
}

} // namespace huespan
