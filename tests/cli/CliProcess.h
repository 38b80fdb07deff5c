#pragma once

#include <QByteArray>
#include <QStringList>

namespace huespan {

// What one run of the built command line left behind.
struct CliOutcome
{
    bool finishedNormally = false;
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

// Runs the built huespan-cli as a separate process, the way a shell script would.
namespace CliProcess {

CliOutcome run(const QStringList& arguments, const QByteArray& standardInput = {});

} // namespace CliProcess
} // namespace huespan
