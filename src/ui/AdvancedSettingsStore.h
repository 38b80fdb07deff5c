#pragma once

#include "ui/AdvancedSettings.h"

#include <QString>

class QSettings;

namespace huespan {

// The advanced settings kept between runs of the program, in the user's configuration folder.
// Values written by another version or by hand that this one cannot read fall back to their
// defaults one by one.
namespace AdvancedSettingsStore {

// The settings file: huespan/advanced.ini in the user's configuration folder.
QString filePath();

AdvancedSettings read(const QSettings& file);
void write(QSettings& file, const AdvancedSettings& settings);

// From and to filePath(). False when the file could not be written: the settings then stay in
// force for this run only.
AdvancedSettings load();
bool save(const AdvancedSettings& settings);

} // namespace AdvancedSettingsStore
} // namespace huespan
