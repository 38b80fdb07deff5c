#include "WholeFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace huespan::WholeFileWriter {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Permissions and group of the file being replaced carry over to its replacement; the owner is
// the writer's anyway (a file of another owner is written in place by the callers that care).
void keepAttributes(int descriptor, const QString& oldPath)
{
    struct stat old = {};
    if (::stat(QFile::encodeName(oldPath).constData(), &old) != 0)
        return;
    // Refusals are harmless: a group the writer is no member of stays the writer's own group.
    const bool groupKept = ::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0;
    const bool permissionsKept = ::fchmod(descriptor, old.st_mode & 07777) == 0;
    Q_UNUSED(groupKept);
    Q_UNUSED(permissionsKept);
}

// The size limit of the process (ulimit -f): a write past it fails part-way, so a file that is
// written in place must fit under it before its first byte changes.
bool fitsSizeLimit(qsizetype size)
{
    rlimit limit = {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return true;
    return static_cast<rlim_t>(size) <= limit.rlim_cur;
}

// Whether the path is where a file system is mounted, such as a single file bound onto another
// (a container's volume): the system refuses to rename anything onto it.
bool isMountPoint(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct statx status = {};
    if (::statx(AT_FDCWD, name.constData(), 0, STATX_BASIC_STATS, &status) != 0)
        return false;
    if ((status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0)
        return (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    // Older systems do not tell; a file on another device than its folder is mounted there.
    struct stat file = {};
    struct stat folder = {};
    const QByteArray folderName = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::stat(name.constData(), &file) == 0 && ::stat(folderName.constData(), &folder) == 0 &&
           file.st_dev != folder.st_dev;
}

// What a write that stopped after some of the new bytes leaves: the reason, and that the file
// now holds the new contents only in part.
QString partWrittenReason(int error, off_t written, off_t size)
{
    return systemReason(error) +
           QStringLiteral("; the file is left part-written: its first %1 of %2 bytes are "
                          "the new contents, the rest is the old")
               .arg(written)
               .arg(size);
}

} // namespace

Outcome replace(const QString& path, const QByteArray& bytes, QString& reason)
{
    QSaveFile file(path);
    // Unbuffered, so that a failing write reports the system's reason itself.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return Outcome::Untouched;
    }
    keepAttributes(file.handle(), path);
    // A short write has no error of its own; the next write tells why it stopped.
    for (qsizetype offset = 0; offset < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + offset, bytes.size() - offset);
        if (written <= 0) {
            reason = file.errorString();
            file.cancelWriting();
            return Outcome::Failed;
        }
        offset += written;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return Outcome::Failed;
    }
    return Outcome::Written;
}

Outcome overwrite(const QString& path, const QByteArray& bytes, QString& reason)
{
    const auto size = static_cast<off_t>(bytes.size());
    if (!fitsSizeLimit(bytes.size())) {
        reason = systemReason(EFBIG);
        return Outcome::Untouched;
    }
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        reason = systemReason(errno);
        return Outcome::Untouched;
    }
    // Reserving the blocks keeps the size; file systems without reservation just skip this step.
    if (size > 0 && ::fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS) {
        reason = systemReason(errno);
        ::close(descriptor);
        return Outcome::Untouched;
    }
    const auto fail = [&](QString why) {
        reason = std::move(why);
        ::close(descriptor);
        return Outcome::Failed;
    };
    off_t offset = 0;
    while (offset < size) {
        const ssize_t written =
            ::pwrite(descriptor, bytes.constData() + offset, static_cast<size_t>(size - offset), offset);
        if (written < 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (offset == 0) {
                reason = systemReason(error);
                ::close(descriptor);
                return Outcome::Untouched;
            }
            return fail(partWrittenReason(error, offset, size));
        }
        offset += written;
    }
    if (::ftruncate(descriptor, size) != 0) {
        return fail(
            systemReason(errno) +
            QStringLiteral("; the new contents were written, but the old file's end still follows them"));
    }
    if (::close(descriptor) != 0) {
        reason = systemReason(errno) + QStringLiteral("; the file may not hold the new contents whole");
        return Outcome::Failed;
    }
    return Outcome::Written;
}

Outcome write(const QString& path, const QByteArray& bytes, QString& reason)
{
    if (isMountPoint(path))
        return overwrite(path, bytes, reason);
    const Outcome replaced = replace(path, bytes, reason);
    return replaced == Outcome::Untouched ? overwrite(path, bytes, reason) : replaced;
}

} // namespace huespan::WholeFileWriter
