#include "ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace huespan {

ReplaceableHandler<void(const QString& text)>& Clipboard::seam()
{
    static ReplaceableHandler<void(const QString& text)> current(&Clipboard::replaceSystemText);
    return current;
}

void Clipboard::setHandler(Handler handler)
{
    seam().replace(std::move(handler));
}

void Clipboard::replaceText(const QString& text)
{
    seam()(text);
}

void Clipboard::replaceSystemText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return;
    // Clearing first drops formats such as HTML that another program may have offered, so that
    // a paste anywhere yields the text alone.
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace huespan
