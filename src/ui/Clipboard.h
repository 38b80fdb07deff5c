#pragma once

#include <QString>
#include <functional>

namespace huespan {

// The clipboard as the result window uses it: everything it held is replaced by one plain text.
// Tests may put a recorder in place of the system clipboard.
class Clipboard
{
public:
    using Handler = std::function<void(const QString& text)>;

    // Clears the clipboard in every format, then puts the text on it as plain text.
    static void replaceText(const QString& text);

    // Replaces the system clipboard; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static Handler& handler();
};

} // namespace huespan
