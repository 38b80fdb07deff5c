#pragma once

#include "SettingsConflict.h"

#include <QString>

namespace huespan {

// The desktop program's words for a conflict: which main window setting cannot go with which
// format, and what to change.
QString settingsConflictText(const SettingsConflict& conflict);

} // namespace huespan
