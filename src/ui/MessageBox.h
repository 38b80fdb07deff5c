#pragma once

#include "ui/ReplaceableHandler.h"

#include <QString>

namespace huespan {

// Every message box of the program: the application title as caption, the window system's style
// numbers for icon and buttons. Tests replace the box by a handler that records and answers.
class MessageBox final
{
public:
    static constexpr int kInformation = 64;      // information icon, OK
    static constexpr int kInformationYesNo = 68; // information icon, Yes and No
    static constexpr int kAnswerOk = 1;
    static constexpr int kAnswerYes = 6;
    static constexpr int kAnswerNo = 7;

    using Handler = ReplaceableHandler<int(const QString& text, int style)>::Handler;

    MessageBox() = delete;

    static QString caption();

    // Shows the modal box and returns the answer (kAnswerOk, kAnswerYes or kAnswerNo).
    static int show(const QString& text, int style);

    // Replaces the real box; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static int showReal(const QString& text, int style);
    static ReplaceableHandler<int(const QString& text, int style)>& seam();
};

} // namespace huespan
