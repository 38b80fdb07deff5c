#include "ui/DocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace huespan {

DocumentOpener::Handler& DocumentOpener::handler()
{
    static Handler current;
    return current;
}

void DocumentOpener::setHandler(Handler replacement)
{
    handler() = std::move(replacement);
}

void DocumentOpener::open(const QString& path)
{
    if (handler()) {
        handler()(path);
        return;
    }
    // A missing viewer is no reason to bother the user: the page stays on disk either way.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace huespan
