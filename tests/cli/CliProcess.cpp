#include "CliProcess.h"

#include <QProcess>

namespace huespan::CliProcess {

CliOutcome run(const QStringList& arguments, const QByteArray& standardInput)
{
    CliLaunch launch;
    launch.arguments = arguments;
    launch.standardInput = standardInput;
    return run(launch);
}

CliOutcome run(const CliLaunch& launch)
{
    QProcess process;
    if (!launch.inputPath.isEmpty())
        process.setStandardInputFile(launch.inputPath);
    if (!launch.outputPath.isEmpty())
        process.setStandardOutputFile(launch.outputPath);
    if (launch.inChild)
        process.setChildProcessModifier(launch.inChild);
    process.start(QStringLiteral(HUESPAN_CLI_PATH), launch.arguments);
    CliOutcome outcome;
    if (!process.waitForStarted())
        return outcome;
    if (launch.inputPath.isEmpty()) {
        process.write(launch.standardInput);
        // Every run sees the end of its input, so one that reads standard input by mistake still ends.
        process.closeWriteChannel();
    }
    // Generous: the sanitizer build of the longest text takes a while.
    if (!process.waitForFinished(120'000)) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.finishedNormally = process.exitStatus() == QProcess::NormalExit;
    outcome.exitCode = process.exitCode();
    outcome.standardOutput = process.readAllStandardOutput();
    outcome.standardError = process.readAllStandardError();
    return outcome;
}

} // namespace huespan::CliProcess
