#pragma once

#include <QString>
#include <QtGlobal>

namespace huespan {

// A small tmpfs mounted on a folder for the life of the object, so that a test can fill a disk.
// Mounting needs root (or a user namespace); a test that gets no mount skips its case.
class SmallDisk final
{
public:
    SmallDisk(const QString& folder, int kibibytes);
    ~SmallDisk();
    Q_DISABLE_COPY_MOVE(SmallDisk)

    bool isMounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};

} // namespace huespan
