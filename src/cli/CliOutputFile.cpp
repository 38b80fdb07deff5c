#include "CliOutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace huespan {

CliOutputFile::CliOutputFile(const QString& path)
    : m_path(path)
{
}

CliOutputFile::~CliOutputFile() = default;

bool CliOutputFile::open()
{
    const QFileInfo target(m_path);
    if (target.isDir()) {
        m_device.reset();
        return false;
    }
    if (target.exists() && !target.isFile()) {
        // Devices and pipes (/dev/stdout, a named pipe) cannot be replaced by a renamed temporary
        // file; they are written in place.
        m_device = std::make_unique<QFile>(m_path);
        return m_device->open(QIODevice::WriteOnly);
    }
    auto saveFile = std::make_unique<QSaveFile>(m_path);
    // A writable file in a folder that takes no new files is still written, in place.
    saveFile->setDirectWriteFallback(true);
    const bool opened = saveFile->open(QIODevice::WriteOnly);
    m_device = std::move(saveFile);
    return opened;
}

bool CliOutputFile::writeAll(const QByteArray& bytes)
{
    if (!m_device || !m_device->isOpen() || m_device->write(bytes) != bytes.size())
        return false;
    if (auto* saveFile = qobject_cast<QSaveFile*>(m_device.get()))
        return saveFile->commit();
    return m_device->flush();
}

QString CliOutputFile::errorString() const
{
    if (!m_device)
        return u"Is a directory"_s;
    return m_device->errorString();
}

} // namespace huespan
