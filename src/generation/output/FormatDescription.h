#pragma once

#include "ExtendedSettings.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QChar>
#include <QStringView>
#include <array>

namespace huespan {

// What a format writes, piece by piece: the wrappers of the styles, the size and the heading
// around the whole text, the element that gives units their colour, a line break, and how the
// text itself is written. A new format is one description, plus its special case where it has one.
struct FormatDescription
{
    struct Pair
    {
        QStringView open;
        QStringView close;
    };
    enum class Digits
    {
        // RRGGBB
        UpperHex,
        // rrggbb
        LowerHex,
        // R;G;B in decimal
        DecimalTriple,
    };
    enum class SizeValue
    {
        // The number 1 to 7.
        Number,
        // The CSS keyword of the size, x-small to xxx-large.
        CssKeyword,
    };
    enum class Escape
    {
        // < > & and the space as HTML entities.
        Html,
        // As it is.
        None,
        // Control characters as their pictures, so that none steers a terminal.
        ControlPictures,
    };

    // Bold, italic, underline, strike: opened in this order, closed in the other.
    std::array<Pair, 4> styles;
    // Around the size's value when the settings write one (empty: the format has no sizes).
    QStringView sizeOpen;
    QStringView sizeOpenEnd;
    QStringView sizeClose;
    SizeValue sizeValue = SizeValue::Number;
    // Around the heading's level: open + level + end, close + level + end (empty: no headings).
    Pair headingOpen;
    Pair headingClose;
    // The element of a colour: open, the colour's digits, openEnd, the text, close.
    QStringView elementOpen;
    Digits digits = Digits::UpperHex;
    QStringView elementOpenEnd;
    QStringView elementClose;
    QStringView lineBreak;
    // Whether the main window's line breaks in the code (CR LF after the opening, after every
    // element and after every line break) are written.
    bool codeLineBreaks = false;
    Escape escape = Escape::Html;
    // A character of the text after which the element is closed (and opened again for the next
    // unit), so that no tag can form from it and the text after it; none when 0.
    QChar tagStart;
    // Written last, after the user's trailing tags and the closed wrappers.
    QStringView finalReset;

    static const FormatDescription& of(OutputFormat format);

    // The wrappers, the user's leading tags and, where the format has them, the code's line break.
    void writeOpening(MarkupWriter& html, const GradientSettings& settings) const;
    // The user's trailing tags, the wrappers closed innermost first, the final reset.
    void writeClosing(MarkupWriter& html, const GradientSettings& settings) const;
    void writeElementOpen(MarkupWriter& html, const ColourTriple& colour) const;
    void writeText(MarkupWriter& html, QStringView unit) const;
};

} // namespace huespan
