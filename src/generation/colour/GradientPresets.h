#pragma once

#include "ColourSpace.h"
#include "ColourStop.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace huespan {

// A named list of stops with the space that suits it.
struct GradientPreset
{
    QString name; // lower-case ASCII words joined by hyphens
    QString description;
    // The name the windows show.
    QString caption;
    std::vector<ColourStop> stops;
    ColourSpace space = ColourSpace::Oklch;
    HueInterpolation hue = HueInterpolation::Shorter;
};

// The built-in presets, in the order they are listed: sunsets, seas, fire, ice, pastels,
// monochrome, then the pride flags with their stripes in order.
const std::vector<GradientPreset>& gradientPresets();

// The preset of that name, or null.
const GradientPreset* findGradientPreset(QStringView name);

// The full hue circle: HSL at saturation 100 % and lightness 50 %, the hue running from 0 to 360
// in proportion to the position.
GradientPreset rainbowGradient();

} // namespace huespan
