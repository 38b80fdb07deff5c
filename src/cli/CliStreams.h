#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace huespan {

// The process's standard streams, used as byte streams: the output must carry exactly the bytes
// of the chosen encoding, with nothing translated or appended. Failures come with the system's
// reason.
namespace CliStreams {

// Standard input to its end, or until enough(input) says that the rest cannot matter; a
// non-blocking descriptor is waited on rather than taken as ended.
bool readInput(QByteArray& input, QString& reason, const std::function<bool(const QByteArray&)>& enough);
bool writeOutput(const QByteArray& bytes, QString& reason);
// The bytes to an open descriptor, standard output or standard error, at its own offset.
bool writeTo(int descriptor, const QByteArray& bytes, QString& reason);
// The line in UTF-8, followed by a line feed; a control character in it is escaped, so that it
// stays one line.
void writeErrorLine(const QString& line);

} // namespace CliStreams
} // namespace huespan
