#pragma once

#include <QByteArray>
#include <QString>

namespace huespan {

// The process's standard streams, used as byte streams: the output must carry exactly the bytes
// of the chosen encoding, with nothing translated or appended. Failures come with the system's
// reason.
namespace CliStreams {

// Standard input to its end; a non-blocking descriptor is waited on rather than taken as ended.
bool readAllInput(QByteArray& input, QString& reason);
bool writeOutput(const QByteArray& bytes, QString& reason);
// The line in UTF-8, followed by a line feed.
void writeErrorLine(const QString& line);

} // namespace CliStreams
} // namespace huespan
