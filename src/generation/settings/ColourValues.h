#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"

#include <QString>
#include <QStringView>
#include <utility>

namespace huespan {

// A component read from its field text: the number at the start of the text in the given
// notation, rounded to a whole number with halves going to the even neighbour. Texts that do not
// start with a number read as 0; values beyond the 16-bit range saturate.
qint16 ReadComponent(QStringView text, Notation notation);

// firstColour and secondColour, read from the six component texts of the settings.
std::pair<ColourTriple, ColourTriple> ReadColours(const GradientSettings& settings);

// Upper-case hexadecimal digits, padded to two characters: 0 gives "00", 10 "0A", 255 "FF".
QString HexPair(qint16 component);

// The six digits of a colour, "FF8000" for 255, 128, 0.
QString ColourCode(const ColourTriple& colour);

// The component part-way between start and start + delta, at position of span. The quotient is
// taken in double precision, narrowed to single precision, taken to seven significant digits and
// rounded to a whole number with halves going to the even neighbour.
qint16 InterpolateComponent(qint16 start, qint16 delta, int position, int span);

} // namespace huespan
