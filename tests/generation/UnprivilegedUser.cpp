#include "UnprivilegedUser.h"

#include <QDirIterator>
#include <QFile>
#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace huespan {

UnprivilegedUser::UnprivilegedUser()
{
    if (!isRoot())
        return;
    // The group first: once the user is no longer root it may not change its group.
    const bool switched = ::setegid(kId) == 0 && ::seteuid(kId) == 0;
    Q_ASSERT(switched);
    Q_UNUSED(switched);
}

UnprivilegedUser::~UnprivilegedUser()
{
    if (::getuid() != 0)
        return;
    const bool restored = ::seteuid(0) == 0 && ::setegid(0) == 0;
    Q_ASSERT(restored);
    Q_UNUSED(restored);
    // Changing the user made the process undumpable, which keeps LeakSanitizer from inspecting
    // it at exit.
    ::prctl(PR_SET_DUMPABLE, 1);
}

bool UnprivilegedUser::isRoot()
{
    return ::geteuid() == 0;
}

void UnprivilegedUser::handOver(const QString& path)
{
    if (!isRoot())
        return;
    const auto give = [](const QString& entry) {
        const bool given = ::lchown(QFile::encodeName(entry).constData(), kId, kId) == 0;
        Q_UNUSED(given);
    };
    give(path);
    QDirIterator entries(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        give(entries.next());
}

void UnprivilegedUser::becomeInChild()
{
    if (::geteuid() != 0)
        return;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kId) != 0 || ::setuid(kId) != 0)
        ::_exit(126);
}

} // namespace huespan
