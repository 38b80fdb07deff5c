#pragma once

#include "ui/ReplaceableHandler.h"

#include <QString>

namespace huespan {

// The clipboard as the result window uses it: everything it held is replaced by one plain text.
// Tests may put a recorder in place of the system clipboard.
class Clipboard final
{
public:
    using Handler = ReplaceableHandler<void(const QString& text)>::Handler;

    Clipboard() = delete;

    // Clears the clipboard in every format, then puts the text on it as plain text.
    static void replaceText(const QString& text);

    // Replaces the system clipboard; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static void replaceSystemText(const QString& text);
    static ReplaceableHandler<void(const QString& text)>& seam();
};

} // namespace huespan
