#pragma once

#include "ColourTriple.h"

#include <QColor>

namespace huespan {

// The colour a screen shows for a component triple. Markup may carry components past a byte (from
// field text that was pasted rather than typed); a screen paints the nearest colour it has.
QColor screenColour(const ColourTriple& colour);

// The components of a colour on the screen, each a byte.
ColourTriple tripleOf(const QColor& colour);

} // namespace huespan
