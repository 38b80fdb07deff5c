#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <memory>

namespace huespan {

// The file given with -o. It is claimed before the generation, so that a path that cannot be
// written fails early, and it takes its new contents as a whole: an ordinary file is replaced only
// once everything has been written, and is left as it was when nothing is.
class CliOutputFile
{
public:
    explicit CliOutputFile(const QString& path);
    ~CliOutputFile();
    CliOutputFile(const CliOutputFile&) = delete;
    CliOutputFile& operator=(const CliOutputFile&) = delete;

    bool open();
    // Writes the bytes as the file's whole contents.
    bool writeAll(const QByteArray& bytes);
    QString errorString() const;

private:
    QString m_path;
    std::unique_ptr<QFileDevice> m_device;
};

} // namespace huespan
