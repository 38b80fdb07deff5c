#pragma once

#include <QString>

namespace huespan {

// Where the windows will be shown, decided from the environment before the application object is
// made, because Qt aborts the process when its platform plugin finds no display.
enum class DisplayChoice
{
    // A platform is named (QT_QPA_PLATFORM, -platform) or DISPLAY is set: Qt chooses as it always has.
    AsConfigured,
    // Only a Wayland display is there: Qt is pointed at its Wayland plugin for this start.
    Wayland,
    // Nothing to show windows on.
    None,
};

DisplayChoice chooseDisplay(bool platformArgumentGiven);

// The one line for standard error when the choice is None.
QString noDisplayMessage();

// The one line for standard error when Qt could not open the display it was given; qtReason is
// the first thing Qt itself said about it, or empty.
QString unusableDisplayMessage(const QString& qtReason);

} // namespace huespan
