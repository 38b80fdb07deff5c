#include "ui/Twips.h"

namespace huespan::Twips {

QRect rect(int left, int top, int width, int height)
{
    return {left / kPerPixel, top / kPerPixel, width / kPerPixel, height / kPerPixel};
}

QSize size(int width, int height)
{
    return {width / kPerPixel, height / kPerPixel};
}

} // namespace huespan::Twips
