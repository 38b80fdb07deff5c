#pragma once

#include "ui/ReplaceableHandler.h"

#include <QString>

namespace huespan {

// Every message box of the program: the application title as caption, an information icon and
// the buttons its style names. Tests replace the box by a handler that records and answers.
class MessageBox final
{
public:
    // The window system's numbers for icon and buttons.
    enum class Style
    {
        Information = 64,      // OK
        InformationYesNo = 68, // Yes and No
    };

    // The window system's numbers for the button pressed.
    enum class Answer
    {
        Ok = 1,
        Yes = 6,
        No = 7,
    };

    using Handler = ReplaceableHandler<Answer(const QString& text, Style style)>::Handler;

    MessageBox() = delete;

    static QString caption();

    // Shows the modal box and returns the button pressed; Esc and the close box answer No where
    // there is a No, else OK.
    static Answer show(const QString& text, Style style);

    // Replaces the real box; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static Answer showReal(const QString& text, Style style);
    static ReplaceableHandler<Answer(const QString& text, Style style)>& seam();
};

} // namespace huespan
