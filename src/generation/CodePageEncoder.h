#pragma once

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace huespan {

// Converts text into a character encoding through iconv. A character the encoding cannot
// represent is written as "?". No byte-order mark is ever written.
namespace CodePageEncoder {

// The bytes, or nothing when iconv does not know the encoding.
std::optional<QByteArray> encode(QStringView text, const QByteArray& encodingName);

bool isKnownEncoding(const QByteArray& encodingName);

// The encoding of the user's locale (what the system's "ANSI code page" is on Linux), e.g.
// "UTF-8", or "SHIFT_JIS" on a Japanese Shift-JIS desktop. Needs setlocale(LC_ALL, "") to have
// run, as QCoreApplication does.
QByteArray systemCodePage();

} // namespace CodePageEncoder
} // namespace huespan
