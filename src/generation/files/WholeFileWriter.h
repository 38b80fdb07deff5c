#pragma once

#include <QByteArray>
#include <QString>

namespace huespan {

// Gives a file its whole new contents so that a failure never leaves a half-written file behind
// where it can be avoided. Failures come with the system's reason, e.g. "No space left on device".
namespace WholeFileWriter {

enum class Outcome
{
    Written,
    // Nothing could be opened for writing (a folder that takes no new file, a write-protected
    // file), or the contents were seen not to fit before a byte changed (a size limit, a full
    // disk); nothing was touched.
    Untouched,
    // Writing failed part-way; see each function for what is left. The reason says it.
    Failed,
};

// Writes a temporary file in the same folder and renames it over the old file, whose group and
// permissions the new one keeps where the process may set them. A symbolic link is followed: the
// file it points to is replaced. After a failure the old file is as it was and the temporary
// file is gone.
Outcome replace(const QString& path, const QByteArray& bytes, QString& reason);

// Writes over an existing file, keeping the file itself (owner, links, permissions). What can be
// known beforehand is checked before the old contents change: the process's file size limit and,
// by reserving it, the room on the disk. A write that fails part-way anyway (where the file
// system reserves nothing) leaves the new contents in part, and the reason says so and how far.
Outcome overwrite(const QString& path, const QByteArray& bytes, QString& reason);

// Replaces the file, or writes over it when no temporary file can be made beside it or when the
// path is a mount point (a single file bound there), onto which nothing can be renamed.
Outcome write(const QString& path, const QByteArray& bytes, QString& reason);

} // namespace WholeFileWriter
} // namespace huespan
