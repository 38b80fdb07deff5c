#pragma once

namespace huespan {

// What the desktop program returns when it does not open its windows, with the same numbers as
// huespan-cli: 2 for a wrong command line and for a start without a usable display.
enum AppExitStatus : int
{
    AppSuccess = 0,
    AppUsageError = 2,
    AppNoDisplay = 2,
};

} // namespace huespan
