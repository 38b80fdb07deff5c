#pragma once

#include "ColourStop.h"

#include <QString>
#include <vector>

namespace huespan {

// What --list-presets prints: every built-in gradient with its stops, written the way --stop takes
// them, its colour space and what it shows.
namespace CliPresetList {

QString text();

// The stops as --stop arguments would give them: #RRGGBB@POSITION, separated by blanks.
QString stopsText(const std::vector<ColourStop>& stops);

} // namespace CliPresetList
} // namespace huespan
