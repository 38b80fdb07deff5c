#pragma once

#include <QString>
#include <functional>

namespace huespan {

// Hands a file to the desktop, which opens it with the program associated with its type. The
// outcome is not examined and nothing waits for the opened program. Tests replace the desktop by
// a handler that records the path.
class DocumentOpener
{
public:
    using Handler = std::function<void(const QString& path)>;

    static void open(const QString& path);

    // Replaces the desktop; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static Handler& handler();
};

} // namespace huespan
