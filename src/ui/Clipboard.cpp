#include "ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace huespan {

Clipboard::Handler& Clipboard::handler()
{
    static Handler current;
    return current;
}

void Clipboard::setHandler(Handler replacement)
{
    handler() = std::move(replacement);
}

void Clipboard::replaceText(const QString& text)
{
    if (handler()) {
        handler()(text);
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return;
    // Clearing first drops formats such as HTML that another program may have offered, so that
    // a paste anywhere yields the text alone.
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace huespan
