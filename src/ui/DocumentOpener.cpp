#include "ui/DocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace huespan {

ReplaceableHandler<void(const QString& path)>& DocumentOpener::seam()
{
    static ReplaceableHandler<void(const QString& path)> current(&DocumentOpener::openOnTheDesktop);
    return current;
}

void DocumentOpener::setHandler(Handler handler)
{
    seam().replace(std::move(handler));
}

void DocumentOpener::open(const QString& path)
{
    seam()(path);
}

void DocumentOpener::openOnTheDesktop(const QString& path)
{
    // A missing viewer is no reason to bother the user: the page stays on disk either way.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace huespan
