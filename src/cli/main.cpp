#include "CliExitStatus.h"
#include "CliOptionsParser.h"
#include "CliPresetList.h"
#include "CliProgramName.h"
#include "CliRun.h"
#include "CliStreams.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace huespan;

int main(int argc, char* argv[])
{
    // A core application only: the command line must run where there is no display.
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(kProgramName);
    QCoreApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));

    CliOptionsParser parser;
    switch (parser.parse(QCoreApplication::arguments())) {
    case CliOptionsParser::Outcome::ShowHelp:
        CliStreams::writeOutput(parser.helpText().toUtf8());
        return static_cast<int>(CliExitStatus::Success);
    case CliOptionsParser::Outcome::ShowVersion:
        CliStreams::writeOutput(parser.versionText().toUtf8());
        return static_cast<int>(CliExitStatus::Success);
    case CliOptionsParser::Outcome::ListPresets:
        CliStreams::writeOutput(CliPresetList::text().toUtf8());
        return static_cast<int>(CliExitStatus::Success);
    case CliOptionsParser::Outcome::UsageError:
        CliStreams::writeErrorLine(parser.errorMessage());
        return static_cast<int>(CliExitStatus::UsageError);
    case CliOptionsParser::Outcome::Run:
        break;
    }
    return static_cast<int>(CliRun(parser.request()).execute());
}
