#include "CliHelpOptions.h"

#include "StartedProcess.h"

using namespace Qt::StringLiterals;

namespace huespan {

QStringList cliHelpOptions()
{
    const ProcessOutcome outcome = StartedProcess::run(QStringLiteral(HUESPAN_CLI_PATH), {u"--help"_s},
                                                       StartedProcess::withoutDisplay(), 60'000);
    QStringList options;
    bool inOptions = false;
    for (const QString& line : QString::fromUtf8(outcome.standardOutput).split(u'\n')) {
        if (!line.startsWith(u' ')) {
            inOptions = line == u"Options:"_s;
            continue;
        }
        if (!inOptions || !line.startsWith(u"  -"_s))
            continue;
        // "  -o, --output <FILE>  Write to ..." names -o and --output.
        const QString names = line.trimmed().section(u"  "_s, 0, 0).section(u" <"_s, 0, 0);
        for (const QString& name : names.split(u", "_s))
            options.append(name);
    }
    return options;
}

} // namespace huespan
