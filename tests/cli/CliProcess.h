#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace huespan {

// What one run of the built command line left behind.
struct CliOutcome
{
    bool finishedNormally = false;
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

// How a run is started, beyond its arguments and the bytes on its standard input.
struct CliLaunch
{
    QStringList arguments;
    QByteArray standardInput;
    // Standard input from this path instead (a folder, a file); standard output to this path.
    QString inputPath;
    QString outputPath;
    // Runs in the child before the program starts: closing a stream, lowering a limit, changing
    // the user. Only async-signal-safe calls belong here.
    std::function<void()> inChild;
};

// Runs the built huespan-cli as a separate process, the way a shell script would.
namespace CliProcess {

CliOutcome run(const QStringList& arguments, const QByteArray& standardInput = {});
CliOutcome run(const CliLaunch& launch);

} // namespace CliProcess
} // namespace huespan
