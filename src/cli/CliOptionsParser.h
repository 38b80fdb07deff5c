#pragma once

#include "CliRequest.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace huespan {

// Turns the command line into a checked CliRequest, or into the one-line message that explains
// why it cannot be run. Every value is checked here, so a request that comes out of it is one the
// windows could have produced.
class CliOptionsParser
{
public:
    enum class Outcome
    {
        Run,
        ShowHelp,
        ShowVersion,
        UsageError,
    };

    CliOptionsParser();

    // The arguments begin with the program's name, as QCoreApplication::arguments() has them.
    Outcome parse(const QStringList& arguments);

    const CliRequest& request() const { return m_request; }
    // "huespan-cli: " followed by what is wrong, naming the option and the value.
    const QString& errorMessage() const { return m_errorMessage; }
    QString helpText() const;
    QString versionText() const;

private:
    std::optional<QString> readArguments();
    std::optional<QString> readSizeOrHeading();
    std::optional<QString> readColourTriple(const QCommandLineOption& option,
                                            std::array<QString, 3>& triple) const;
    std::optional<QString> checkComponent(const QString& optionName, const QString& component) const;

    QCommandLineParser m_parser;
    QCommandLineOption m_formOption;
    QCommandLineOption m_firstOption;
    QCommandLineOption m_secondOption;
    QCommandLineOption m_hexOption;
    QCommandLineOption m_boldOption;
    QCommandLineOption m_italicOption;
    QCommandLineOption m_underlineOption;
    QCommandLineOption m_strikeOption;
    QCommandLineOption m_sizeOption;
    QCommandLineOption m_headingOption;
    QCommandLineOption m_beforeOption;
    QCommandLineOption m_afterOption;
    QCommandLineOption m_lineBreaksOption;
    QCommandLineOption m_pageOption;
    QCommandLineOption m_encodingOption;
    QCommandLineOption m_outputOption;
    QCommandLineOption m_helpOption;
    QCommandLineOption m_versionOption;

    CliRequest m_request;
    QString m_errorMessage;
};

} // namespace huespan
