#include "WholeFileWriter.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        reason = systemReason(errno);
        return Outcome::Untouched;
    }
    const auto fail = [&](int error) {
        reason = systemReason(error);
        ::close(descriptor);
        return Outcome::Failed;
    };
    const auto size = static_cast<off_t>(bytes.size());
    // Reserving the blocks keeps the size; file systems without reservation just skip this step.
    if (size > 0 && ::fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS)
        return fail(errno);
    off_t offset = 0;
    while (offset < size) {
        const ssize_t written =
            ::pwrite(descriptor, bytes.constData() + offset, static_cast<size_t>(size - offset), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        offset += written;
    }
    if (::ftruncate(descriptor, size) != 0)
        return fail(errno);
    if (::close(descriptor) != 0) {
        reason = systemReason(errno);
        return Outcome::Failed;
    }
    return Outcome::Written;
}

Outcome write(const QString& path, const QByteArray& bytes, QString& reason)
{
    const Outcome replaced = replace(path, bytes, reason);
    return replaced == Outcome::Untouched ? overwrite(path, bytes, reason) : replaced;
}

} // namespace huespan::WholeFileWriter
