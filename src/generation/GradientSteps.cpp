#include "GradientSteps.h"

#include "ColourValues.h"

namespace huespan {

ColourTriple ColourDifference(const ColourTriple& to, const ColourTriple& from)
{
    return {static_cast<qint16>(to.red - from.red), static_cast<qint16>(to.green - from.green),
            static_cast<qint16>(to.blue - from.blue)};
}

ColourTriple StepColour(const ColourTriple& start, const ColourTriple& delta, int position, int span)
{
    return {InterpolateComponent(start.red, delta.red, position, span),
            InterpolateComponent(start.green, delta.green, position, span),
            InterpolateComponent(start.blue, delta.blue, position, span)};
}

} // namespace huespan
