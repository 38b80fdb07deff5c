#pragma once

#include <Qt>

namespace huespan {

// The frame of a dialog that keeps its size: a title, the system menu and a close box, with no
// minimise or maximise box. Without CustomizeWindowHint Qt leaves the choice of buttons to the
// window manager, and most of them add every button.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                     Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

} // namespace huespan
