#pragma once

class QApplication;

namespace huespan {

// The style and font of every window. The layouts are fixed in pixels, so the font is a
// proportional Japanese Gothic face at 12 pixels, in which every caption fits its control.
void applyProgramLook(QApplication& application);

} // namespace huespan
