#include "CliStreams.h"

#include <QFile>
#include <cstdio>

namespace huespan::CliStreams {

QByteArray readAllInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    return input.readAll();
}

bool writeOutput(const QByteArray& bytes)
{
    QFile output;
    if (!output.open(stdout, QIODevice::WriteOnly))
        return false;
    return output.write(bytes) == bytes.size() && output.flush();
}

void writeErrorLine(const QString& line)
{
    QFile error;
    if (!error.open(stderr, QIODevice::WriteOnly))
        return;
    error.write(line.toUtf8() + '\n');
    error.flush();
}

} // namespace huespan::CliStreams
