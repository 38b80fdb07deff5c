#pragma once

#include <QByteArray>
#include <QString>

namespace huespan {

// Gives a file its whole new contents so that a failure never leaves a half-written file behind
// where it can be avoided. Failures come with the system's reason, e.g. "No space left on device".
namespace WholeFileWriter {

enum class Replacement
{
    Written,
    // The temporary file could not be made (a folder that takes no new file, a write-protected
    // old file); nothing was touched.
    NoTemporaryFile,
    // Writing or renaming failed; the temporary file is gone and the old file is as it was.
    Failed,
};

// Writes a temporary file in the same folder and renames it over the old file, whose group and
// permissions the new one keeps where the process may set them. A symbolic link is followed: the
// file it points to is replaced.
Replacement replace(const QString& path, const QByteArray& bytes, QString& reason);

// Writes over an existing file, keeping the file itself (owner, links, permissions). Room for
// the new contents is reserved first, so a full disk is found before the old contents change.
bool overwrite(const QString& path, const QByteArray& bytes, QString& reason);

} // namespace WholeFileWriter
} // namespace huespan
