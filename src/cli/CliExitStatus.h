#pragma once

namespace huespan {

// What the command line returns to its caller, so that scripts can tell a text the generation
// refused from a command line that was wrong.
enum CliExitStatus : int
{
    CliSuccess = 0,
    CliRefused = 1,
    CliUsageError = 2,
};

} // namespace huespan
