#pragma once

#include <functional>

class QWidget;

namespace huespan {

// Puts a window's outer frame, title bar included, on the centre of its screen's free area. Until
// the window manager has framed the window, the frame of a window it has already framed stands
// in for it; once the window's own frame is known, `framed` runs (a layout that reads the border
// width, say) and the window is centred again on its real frame. Without a window manager there
// is no frame, and the window stays centred as it is.
void centreOnScreen(QWidget& window, std::function<void()> framed = {});

} // namespace huespan
