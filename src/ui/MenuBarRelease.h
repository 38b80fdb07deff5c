#pragma once

class QMenuBar;

namespace huespan {

// A menu bar keeps the item that started a command highlighted until the command returns. A
// command that opens a modal window calls this first: the bar lets go of the item as when the
// pointer leaves it, so that no title stays lit behind the window, and the bar is back in its
// resting state (no menu opens on hover) when the window closes.
void releaseMenuBar(QMenuBar& bar);

} // namespace huespan
