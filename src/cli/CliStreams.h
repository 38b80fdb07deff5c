#pragma once

#include <QByteArray>
#include <QString>

namespace huespan {

// The process's standard streams, used as byte streams: the output must carry exactly the bytes
// of the chosen encoding, with nothing translated or appended.
namespace CliStreams {

QByteArray readAllInput();
bool writeOutput(const QByteArray& bytes);
// The line in UTF-8, followed by a line feed.
void writeErrorLine(const QString& line);

} // namespace CliStreams
} // namespace huespan
