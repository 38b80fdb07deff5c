#pragma once

#include <QLatin1StringView>

namespace huespan {

// The program's name as installed: the start of every message and of the usage line.
inline constexpr QLatin1StringView kProgramName{"huespan-cli"};

} // namespace huespan
