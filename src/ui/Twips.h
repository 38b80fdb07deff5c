#pragma once

#include <QRect>
#include <QSize>

namespace huespan {

// The windows are laid out in twips. Qt's device-independent pixels are the 96-dpi pixels those
// map to (15 twips each), so every window scales on high-density screens.
namespace Twips {

constexpr int kPerPixel = 15;

QRect rect(int left, int top, int width, int height);
QSize size(int width, int height);

} // namespace Twips
} // namespace huespan
