#pragma once

#include "GradientSettings.h"

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <functional>

namespace huespan {

// Settings as a test table row makes them from the defaults.
using SettingsEdit = std::function<void(GradientSettings&)>;

// Whether huespan-cli, given the arguments and then the text, writes exactly the markup that the
// core writes for the text with the settings the edit makes (not even a line feed appended), with
// nothing on standard error and exit code 0. Fails the current test where it does not.
void verifyMarkupMatchesCore(const QStringList& arguments, const QString& text, const SettingsEdit& edit);

} // namespace huespan

Q_DECLARE_METATYPE(huespan::SettingsEdit)
