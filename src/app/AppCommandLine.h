#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace huespan {

// The desktop program's command line, read before anything needs a display: --help and --version
// answer on standard output, and an option neither the program nor Qt knows is refused. Qt's own
// options (-platform, -style, -reverse, ...) pass through to the application object unchanged.
class AppCommandLine final
{
public:
    enum class Outcome
    {
        Run,
        ShowHelp,
        ShowVersion,
        UsageError,
    };

    AppCommandLine();
    Q_DISABLE_COPY_MOVE(AppCommandLine)

    // The arguments begin with the program's name, as main() receives them.
    Outcome parse(const QStringList& arguments);

    // "huespan: " followed by what is wrong.
    const QString& errorMessage() const { return m_errorMessage; }
    // Whether Qt's -platform option names the platform plugin, which then wins like QT_QPA_PLATFORM.
    bool platformGiven() const;
    QString helpText() const;
    static QString versionText();

private:
    void addQtOptions();

    QCommandLineParser m_parser;
    QCommandLineOption m_helpOption;
    QCommandLineOption m_versionOption;
    QString m_errorMessage;
};

} // namespace huespan
