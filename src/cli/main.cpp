#include "CliExitStatus.h"
#include "CliOptionsParser.h"
#include "CliRun.h"
#include "CliStreams.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace huespan;

int main(int argc, char* argv[])
{
    // A core application only: the command line must run where there is no display.
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"huespan-cli"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));

    CliOptionsParser parser;
    switch (parser.parse(QCoreApplication::arguments())) {
    case CliOptionsParser::Outcome::ShowHelp:
        CliStreams::writeOutput(parser.helpText().toUtf8());
        return CliSuccess;
    case CliOptionsParser::Outcome::ShowVersion:
        CliStreams::writeOutput(parser.versionText().toUtf8());
        return CliSuccess;
    case CliOptionsParser::Outcome::UsageError:
        CliStreams::writeErrorLine(parser.errorMessage());
        return CliUsageError;
    case CliOptionsParser::Outcome::Run:
        break;
    }
    return CliRun(parser.request()).execute();
}
