#pragma once

#include "SettingsConflict.h"

#include <QString>

namespace huespan {

// The Japanese captions of the output formats, as the advanced settings list them.
QString outputFormatCaption(OutputFormat format);

// The desktop program's words for a conflict: which main window setting cannot go with which
// format, and what to change.
QString settingsConflictText(const SettingsConflict& conflict);

} // namespace huespan
