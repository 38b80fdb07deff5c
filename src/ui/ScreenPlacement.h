#pragma once

class QWidget;

namespace huespan {

// Puts a window's centre on the centre of its screen's free area, before it is first shown; the
// frame counts as far as the window system has told it.
void centreOnScreen(QWidget& window);

} // namespace huespan
