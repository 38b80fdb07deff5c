#pragma once

#include <QIcon>

namespace huespan {

// The program's icon, carried by the main window and the result window: one 32 × 32 and one
// 16 × 16 picture.
QIcon programIcon();

} // namespace huespan
