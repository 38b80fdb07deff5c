#pragma once

#include <QString>
#include <QStringView>

namespace huespan {

// What a message may show of a value the user gave: a message is one line on a terminal, so a
// value can neither break it, nor steer the terminal, nor flood it.
namespace CliMessageText {

// The longest part of a value that a message shows, in characters after escaping.
constexpr qsizetype kLongestShownValue = 100;

// The value in double quotes. Control characters (C0, DEL, C1) are escaped as \n, \r, \t or
// \xhh, and so are the line and paragraph separators and the bidirectional controls (\uhhhh); a
// quote or backslash of the value gets a backslash; a value longer than kLongestShownValue is cut
// there, at a whole character, and ends in "…".
QString quoted(QStringView value);

// The line with any control character escaped as quoted() escapes it: the last guard that keeps
// a message on one line, whatever part of it came from outside.
QString oneLine(QStringView line);

} // namespace CliMessageText
} // namespace huespan
