#include "CliOutputFile.h"

#include "WholeFileWriter.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace huespan {

CliOutputFile::CliOutputFile(const QString& path)
    : m_path(path)
{
}

bool CliOutputFile::writeAll(const QByteArray& bytes)
{
    struct stat target = {};
    if (::stat(QFile::encodeName(m_path).constData(), &target) != 0) {
        if (errno != ENOENT) {
            m_errorString = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        return WholeFileWriter::replace(m_path, bytes, m_errorString) == WholeFileWriter::Outcome::Written;
    }
    if (S_ISDIR(target.st_mode)) {
        m_errorString = QString::fromLocal8Bit(std::strerror(EISDIR));
        return false;
    }
    if (!S_ISREG(target.st_mode))
        return writeToDevice(bytes);

    // A replacement would belong to us and stand alone: another owner's file, or one shared
    // through hard links, keeps its identity and only its contents change.
    const bool keepTheFile = target.st_nlink > 1 || target.st_uid != ::geteuid();
    const WholeFileWriter::Outcome outcome = keepTheFile
                                                 ? WholeFileWriter::overwrite(m_path, bytes, m_errorString)
                                                 : WholeFileWriter::write(m_path, bytes, m_errorString);
    return outcome == WholeFileWriter::Outcome::Written;
}

bool CliOutputFile::writeToDevice(const QByteArray& bytes)
{
    QFile device(m_path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || device.write(bytes) != bytes.size()) {
        m_errorString = device.errorString();
        return false;
    }
    return true;
}

} // namespace huespan
