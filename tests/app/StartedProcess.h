#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace huespan {

// What one run of a program left behind.
struct ProcessOutcome
{
    bool finished = false;
    bool finishedNormally = false;
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

namespace StartedProcess {

// The test's environment without any display: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM.
QProcessEnvironment withoutDisplay();

// Runs the program to its end, or kills it after timeoutMs (then finished is false).
ProcessOutcome run(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment, int timeoutMs);

} // namespace StartedProcess
} // namespace huespan
