#pragma once

#include "ColourSpace.h"
#include "ColourStop.h"
#include "ContrastFloor.h"
#include "TextUnit.h"

#include <optional>
#include <vector>

namespace huespan {

enum class OutputFormat
{
    // <FONT COLOR="#RRGGBB">, the plain markup.
    Font,
    // <span style="color:#rrggbb">.
    Span,
    // [color=#RRGGBB] for message boards.
    Bbcode,
    // 24-bit colour escape sequences for a terminal.
    Ansi,
    // One element painted with a CSS linear gradient.
    Css,
    // <#rrggbb> tags of MiniMessage, the text format of Minecraft servers.
    MiniMessage,
    // &#RRGGBB colour codes, which most Minecraft chat plugins read.
    MinecraftHex,
    // §x§r§r§g§g§b§b, the Minecraft server's own legacy text.
    MinecraftSection,
    // A JSON array of Minecraft text components, for /tellraw, books and signs.
    MinecraftJson,
    // $[fg.color=rrggbb ...] functions of MFM, the markup of Misskey notes.
    Mfm,
    // <span foreground="#rrggbb"> of Pango markup, for status bars and notifications.
    Pango,
};

// Whether a browser shows the format: the HTML ones, which the preview page can hold.
bool isHtmlFormat(OutputFormat format);

// How the gradient runs over the lines of a text.
enum class LineGradient
{
    // From the first unit of the text to its last.
    Whole,
    // Over each line again, from its first unit to its last.
    Each,
    // Unit k of every line takes column k of a gradient as long as the longest line.
    Columns,
};

// What a run can do beyond the plain two-colour markup. A plain value that any front end fills;
// with every member at its default a run writes exactly the plain markup.
struct ExtendedSettings
{
    // The gradient's colour stops; empty takes the two colours of the component texts.
    std::vector<ColourStop> stops;
    ColourSpace space = ColourSpace::Srgb;
    HueInterpolation hue = HueInterpolation::Shorter;
    // The colours run from the last unit to the first.
    bool reverse = false;
    TextUnit unit = TextUnit::CodePoint;
    OutputFormat format = OutputFormat::Font;
    // Neighbouring units of one colour share one element.
    bool merge = false;
    // White space takes no colour step and no element.
    bool skipWhitespace = false;
    // A line break of the text is written as the format's line break and takes no colour step.
    bool keepLineBreaks = false;
    // Per line or per column instead of over the whole text (with the text's line breaks kept).
    LineGradient lines = LineGradient::Whole;
    // Each unit keeps at least this contrast against the background it is shown on.
    std::optional<ContrastFloor> contrastFloor;

    // Whether the text's line breaks are kept: asked for, or needed by a gradient per line.
    bool keepsLineBreaks() const { return keepLineBreaks || lines != LineGradient::Whole; }

    // Whether every member is at its default, so that a run writes the plain markup.
    bool isDefault() const;

    friend bool operator==(const ExtendedSettings&, const ExtendedSettings&) = default;
};

} // namespace huespan
