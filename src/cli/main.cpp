#include "CliExitStatus.h"
#include "CliOptionsParser.h"
#include "CliPresetList.h"
#include "CliProgramName.h"
#include "CliRun.h"
#include "CliStreams.h"

#include <QCoreApplication>
#include <QStringList>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

CliExitStatus printed(const QString& text)
{
    QString reason;
    if (CliStreams::writeOutput(text.toUtf8(), reason))
        return CliExitStatus::Success;
    CliStreams::writeErrorLine(kProgramName + u": cannot write to standard output: "_s + reason);
    return CliExitStatus::UsageError;
}

// A standard stream the caller closed would be reused by the next file that Qt or the program
// opens, and the output would go there. Each is taken by /dev/null opened the wrong way round, so
// reading or writing it still fails with "Bad file descriptor", as on the closed stream.
void keepClosedStreamsClosed()
{
    const int wrongWay[] = {O_WRONLY, O_RDONLY, O_RDONLY};
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) == -1)
            ::open("/dev/null", wrongWay[descriptor] | O_CLOEXEC);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Beyond the file size limit a write then fails with EFBIG and is reported like a full disk,
    // instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    keepClosedStreamsClosed();

    // A core application only: the command line must run where there is no display. Qt takes
    // options of its own out of the arguments it is given (-qmljsdebugger=..., -reverse), so it
    // gets the program's name alone: every argument belongs to the user.
    int qtArgumentCount = 1;
    char programName[] = "huespan-cli";
    char* qtArguments[] = {programName, nullptr};
    QCoreApplication application(qtArgumentCount, qtArguments);
    QCoreApplication::setApplicationName(kProgramName);
    QCoreApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));

    // As Qt itself would decode them, after the locale has been set.
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));

    CliOptionsParser parser;
    switch (parser.parse(arguments)) {
    case CliOptionsParser::Outcome::ShowHelp:
        return static_cast<int>(printed(parser.helpText()));
    case CliOptionsParser::Outcome::ShowVersion:
        return static_cast<int>(printed(parser.versionText()));
    case CliOptionsParser::Outcome::ListPresets:
        return static_cast<int>(printed(CliPresetList::text()));
    case CliOptionsParser::Outcome::UsageError:
        CliStreams::writeErrorLine(parser.errorMessage());
        return static_cast<int>(CliExitStatus::UsageError);
    case CliOptionsParser::Outcome::Run:
        break;
    }
    return static_cast<int>(CliRun(parser.request()).execute());
}
