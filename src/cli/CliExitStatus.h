#pragma once

namespace huespan {

// What the command line returns to its caller, so that scripts can tell a text the generation
// refused from a command line that was wrong.
enum class CliExitStatus : int
{
    Success = 0,
    Refused = 1,
    UsageError = 2,
};

} // namespace huespan
