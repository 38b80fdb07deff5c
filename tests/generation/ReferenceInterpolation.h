#pragma once

namespace huespan {

// Two slow, independent ways to the component that lies position/span of the way from start to
// start + delta, against which the production arithmetic is checked.
namespace ReferenceInterpolation {

// The colour rule taken literally, step by step: single-precision operands, the quotient, product
// and sum in double precision, narrowing to single precision, a decimal text of seven significant
// digits read back, then rounding halves to the even neighbour.
int literal(int start, int delta, int position, int span);

// The exact fraction start + delta * position / span, rounded with halves to the even
// neighbour, in integer arithmetic. The colour rule agrees with it for spans up to 8000.
int exactFraction(int start, int delta, int position, int span);

} // namespace ReferenceInterpolation
} // namespace huespan
