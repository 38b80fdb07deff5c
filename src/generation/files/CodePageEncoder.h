#pragma once

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace huespan {

// Converts text into a character encoding through iconv. A character the encoding cannot
// represent becomes "?", converted like any other character, so the output always decodes with
// the same encoding (a stateful encoding such as ISO-2022-JP shifts back first, UTF-16 writes
// two bytes).
//
// Byte-order marks: the conversion writes one exactly when iconv does for that name, i.e. for
// "UTF-16" and "UTF-32", whose byte order is not part of the name; "UTF-16LE", "UTF-16BE" and
// the one-byte encodings (UTF-8 included) get none. A page (ByteOrderMark::ForWidePages) also
// starts with one in every encoding whose characters are wider than one byte, since a browser
// recognises such a page only by its mark.
namespace CodePageEncoder {

enum class ByteOrderMark
{
    AsTheEncodingWrites,
    ForWidePages,
};

// The bytes, or nothing when the encoding is not known (see isKnownEncoding).
std::optional<QByteArray> encode(QStringView text, const QByteArray& encodingName,
                                 ByteOrderMark mark = ByteOrderMark::AsTheEncodingWrites);

// Whether iconv knows the name as it stands. Names carrying a "//" suffix (iconv's //IGNORE and
// //TRANSLIT) and names with blanks or control characters are not known: iconv would quietly
// strip the blanks and change what happens to characters the encoding lacks.
bool isKnownEncoding(const QByteArray& encodingName);

// 0 when isKnownEncoding; otherwise why not: EINVAL for a name iconv does not know (or that
// isKnownEncoding turns down), or the system's reason when the conversion could not be opened for
// another cause, such as EMFILE with the descriptors used up.
int openingError(const QByteArray& encodingName);

// Whether the name carries an iconv suffix such as //IGNORE or //TRANSLIT.
bool hasConversionSuffix(const QByteArray& encodingName);

// The encoding of the user's locale (what the system's "ANSI code page" is on Linux), e.g.
// "UTF-8", or "SHIFT_JIS" on a Japanese Shift-JIS desktop. Needs setlocale(LC_ALL, "") to have
// run, as QCoreApplication does.
QByteArray systemCodePage();

} // namespace CodePageEncoder
} // namespace huespan
