#pragma once

#include <QString>
#include <QtGlobal>
#include <sys/types.h>

namespace huespan {

// Permission cases must meet the permissions: root passes every check. A test running as root
// takes on the unprivileged user "nobody" for them; a test running as a normal user already is
// one, and then nothing here changes anything.
class UnprivilegedUser final
{
public:
    static constexpr uid_t kId = 65534;

    // While it lives, the process's file accesses are those of the unprivileged user.
    UnprivilegedUser();
    ~UnprivilegedUser();
    Q_DISABLE_COPY_MOVE(UnprivilegedUser)

    static bool isRoot();
    // Gives the path, and everything below it, to the user that the cases run as.
    static void handOver(const QString& path);
    // For a child process between fork and exec: becomes the unprivileged user for good.
    static void becomeInChild();
};

} // namespace huespan
