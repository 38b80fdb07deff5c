#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace huespan {

// The file given with -o. It is opened only once the whole output exists, and takes it as a
// whole: an ordinary file is replaced by a finished new one. It is written in place instead when
// replacing would change more than its contents: when it has other hard links or another owner,
// or when its folder takes no new file, or when it is a mount point (a single file bound there).
// Devices and pipes are written in place too.
class CliOutputFile final
{
public:
    explicit CliOutputFile(const QString& path);
    Q_DISABLE_COPY_MOVE(CliOutputFile)

    // Writes the bytes as the file's whole contents.
    bool writeAll(const QByteArray& bytes);
    // The system's reason for the last failure.
    QString errorString() const { return m_errorString; }

private:
    bool writeToDevice(const QByteArray& bytes);

    QString m_path;
    QString m_errorString;
};

} // namespace huespan
