#pragma once

#include "SettingsConflict.h"

#include <QString>
#include <vector>

namespace huespan {

// The desktop program's words for a conflict: which main window setting cannot go with which
// format, and what to change.
QString settingsConflictText(const SettingsConflict& conflict);
// Each of the conflicts on a line of its own.
QString settingsConflictsText(const std::vector<SettingsConflict>& conflicts);

} // namespace huespan
