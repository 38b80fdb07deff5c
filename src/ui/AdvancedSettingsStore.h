#pragma once

#include "ui/AdvancedSettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace huespan {

// The advanced settings kept between runs of the program, in the user's configuration folder, as
// an INI file with one [General] section:
//
//   [General]
//   format=font
//   gradient=two-colours
//   ...
//   stops=#FF0000@0, #0000FF@100      (or @Invalid() for none)
//
// Values written by another version or by hand that this one cannot read fall back to their
// defaults one by one; keys it does not know are dropped, so a save writes only its own.
namespace AdvancedSettingsStore {

// A larger file is no settings file of the program's: it is not read at all.
inline constexpr qint64 kMaximumFileSize = 1024 * 1024;

// The settings file: huespan/advanced.ini in the user's configuration folder.
QString filePath();

// The file's text and back. fromText takes any bytes.
AdvancedSettings fromText(QByteArrayView text);
QByteArray toText(const AdvancedSettings& settings);

// Stops are kept as the command line takes them (StopText), separated by ", ".

struct Loaded
{
    AdvancedSettings settings;
    // A file is there but is no settings file that can be read: not a regular file (a FIFO, a
    // device, a folder), larger than kMaximumFileSize, or not readable. The settings are then
    // the defaults.
    bool unreadable = false;
};

// Reads only a regular file, without ever waiting for a writer; a missing file gives the
// defaults and is not unreadable.
Loaded load(const QString& path);
Loaded load();

// Writes the settings whole. A new file, or the user's own file with no other links, is replaced
// by a complete new one; the file a symbolic link leads to is the one written. A file of another
// user, one with other hard links, one that is a mount point of its own (a single-file bind
// mount) or one whose folder takes no new file is written in place instead, keeping owner and
// links. Anything that is not a regular file (a device, a FIFO, a folder, a link to nothing) is
// never written: false, as for any failed save, after which the settings stay in force for this
// run only.
bool save(const QString& path, const AdvancedSettings& settings);
bool save(const AdvancedSettings& settings);

} // namespace AdvancedSettingsStore
} // namespace huespan
