#pragma once

#include "ui/ReplaceableHandler.h"

#include <QString>

namespace huespan {

// Hands a file to the desktop, which opens it with the program associated with its type. The
// outcome is not examined and nothing waits for the opened program. Tests replace the desktop by
// a handler that records the path.
class DocumentOpener final
{
public:
    using Handler = ReplaceableHandler<void(const QString& path)>::Handler;

    DocumentOpener() = delete;

    static void open(const QString& path);

    // Replaces the desktop; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static void openOnTheDesktop(const QString& path);
    static ReplaceableHandler<void(const QString& path)>& seam();
};

} // namespace huespan
