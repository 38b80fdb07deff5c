#include "SmallDisk.h"

#include <QByteArray>
#include <QFile>
#include <sys/mount.h>

namespace huespan {

SmallDisk::SmallDisk(const QString& folder, int kibibytes)
    : m_folder(folder)
{
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0777";
    m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

} // namespace huespan
