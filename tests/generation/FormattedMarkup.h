#pragma once

#include "ColourTriple.h"
#include "ExtendedSettings.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace huespan {

// Reads the body of an extended run's output back, in each format, independently of the writers:
// what text each element holds and in which colour, so that tests can check that the markup gives
// the text back and which colour every character wears.
namespace FormattedMarkup {

struct Piece
{
    // None for text outside any element (white space, line breaks, the CSS gradient's text).
    std::optional<ColourTriple> colour;
    // The characters as the reader sees them: escapes undone, a line break element read as "\n".
    QString text;
};

// Nothing when body is not made of the format's elements and text only.
std::optional<QList<Piece>> read(QStringView body, OutputFormat format);

// The characters of the pieces, joined.
QString text(const QList<Piece>& pieces);

// The colour of every code unit of text(pieces), in order.
QList<std::optional<ColourTriple>> colourPerCodeUnit(const QList<Piece>& pieces);

// The text as a terminal is shown it by the ansi format: every control character but tab and
// line feed as its picture, C0 at U+2400 on, DEL as U+2421, a C1 control as ESC's picture and its
// 7-bit form.
QString withControlPictures(QStringView text);

// "&lt;", "&gt;", "&amp;" and "&nbsp;" undone, left to right.
QString unescapeHtml(QStringView written);

} // namespace FormattedMarkup
} // namespace huespan
