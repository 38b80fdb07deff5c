#pragma once

#include "ExtendedSettings.h"

#include <QString>
#include <array>
#include <optional>

namespace huespan {

enum class GradientForm
{
    LeftToRight,
    BothSidesSame,
};

enum class SizeMode
{
    Normal,
    Heading,
};

enum class Notation
{
    Decimal,
    Hexadecimal,
};

// Every input of one generation besides the text itself, taken from the main window's
// controls when a run starts (or from the command line).
struct GradientSettings
{
    GradientForm form = GradientForm::LeftToRight;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    SizeMode sizeMode = SizeMode::Normal;
    // The font size 1 to 7, written in Normal mode; none writes no size element.
    std::optional<int> fontSize;
    // The heading level 1 to 6, written in Heading mode; none writes no heading element.
    std::optional<int> heading;
    QString tagsBefore;
    QString tagsAfter;
    bool lineBreaks = false;
    Notation notation = Notation::Decimal;
    // Red, green, blue of the first colour, then of the second colour, as typed.
    std::array<QString, 6> componentTexts{QStringLiteral(u"0"), QStringLiteral(u"0"), QStringLiteral(u"0"),
                                          QStringLiteral(u"0"), QStringLiteral(u"0"), QStringLiteral(u"0")};
    // Stops, colour spaces, units, formats and compact output; at its defaults a run writes the
    // plain two-colour markup.
    ExtendedSettings extended;
};

// The list item that means "write no size or heading element".
inline const QString kNoSizeItem = QStringLiteral(u"指定なし");

} // namespace huespan
