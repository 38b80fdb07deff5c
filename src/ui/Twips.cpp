#include "ui/Twips.h"

#include <cmath>

namespace huespan::Twips {

int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kPerPixel));
}

double fromPixels(int pixels)
{
    return static_cast<double>(pixels) * kPerPixel;
}

QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

QSize size(int width, int height)
{
    return {toPixels(width), toPixels(height)};
}

} // namespace huespan::Twips
