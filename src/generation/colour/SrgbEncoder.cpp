#include "SrgbEncoder.h"

#include "ColourSpace.h"

#include <cmath>

namespace huespan {

qint16 SrgbEncoder::encode(double linear)
{
    return static_cast<qint16>(std::nearbyint(linearToSrgb(linear) * 255.0));
}

} // namespace huespan
