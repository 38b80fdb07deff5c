#pragma once

#include <QRect>
#include <QSize>

namespace huespan {

// The windows are laid out in twips. Qt's device-independent pixels are the 96-dpi pixels those
// map to (15 twips each), so every window scales on high-density screens.
namespace Twips {

constexpr int kPerPixel = 15;

// A length or position in twips on the nearest whole pixel, halves away from zero. Layouts that
// are computed (a label centred on the window, a margin of 200 twips) land between pixels, and
// the version window's arrangement rests on this rounding: 7.5 twips make one pixel, 200 make 13.
int toPixels(double twips);

// Pixels measured on a widget, in twips.
double fromPixels(int pixels);

QRect rect(int left, int top, int width, int height);
QSize size(int width, int height);

} // namespace Twips
} // namespace huespan
