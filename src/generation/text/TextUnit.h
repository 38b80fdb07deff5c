#pragma once

namespace huespan {

// How the text is cut into the units that each take one colour.
enum class TextUnit
{
    // A code unit, or a surrogate pair taken whole.
    CodePoint,
    // An extended grapheme cluster: a family emoji, a flag, a letter with its combining marks.
    Grapheme,
};

} // namespace huespan
