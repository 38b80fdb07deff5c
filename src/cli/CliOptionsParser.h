#pragma once

#include "CliRequest.h"
#include "ColourStop.h"
#include "StopText.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace huespan {

// Turns the command line into a checked CliRequest, or into the one-line message that explains
// why it cannot be run. Every value and every combination is checked here, so a request that comes
// out of it is one the core can run.
class CliOptionsParser final
{
public:
    enum class Outcome
    {
        Run,
        ShowHelp,
        ShowVersion,
        ListPresets,
        UsageError,
    };

    CliOptionsParser();
    Q_DISABLE_COPY_MOVE(CliOptionsParser)

    // The arguments begin with the program's name, as QCoreApplication::arguments() has them.
    Outcome parse(const QStringList& arguments);

    const CliRequest& request() const { return m_request; }
    // The program's name and ": ", followed by what is wrong, naming the option and the value.
    const QString& errorMessage() const { return m_errorMessage; }
    QString helpText() const;
    QString versionText() const;

private:
    // One reader per group of options; each returns what is wrong, or nothing.
    std::optional<QString> readArguments();
    std::optional<QString> readText();
    std::optional<QString> readForm();
    std::optional<QString> readColourSource();
    std::optional<QString> readTwoColours();
    std::optional<QString> readStops();
    std::optional<QString> readPreset();
    std::optional<QString> readSpaceAndHue();
    std::optional<QString> readStyles();
    std::optional<QString> readSizeOrHeading();
    std::optional<QString> readTags();
    std::optional<QString> readUnitAndFormat();
    std::optional<QString> readPage();
    std::optional<QString> readContrast();
    std::optional<QString> readDestination();
    std::optional<QString> readConflicts() const;

    std::optional<QString> readColourTriple(const QCommandLineOption& option,
                                            std::array<QString, 3>& triple) const;
    std::optional<QString> readStop(const QString& value, ColourStop& stop) const;
    // The message of a colour or component that cannot be read.
    QString faultMessage(const QString& optionName, const StopText::Reading& reading) const;
    std::optional<QString> readColour(const QString& optionName, const QString& colour,
                                      ColourTriple& triple) const;
    std::optional<QString> checkComponent(const QString& optionName, const QString& component) const;

    QCommandLineParser m_parser;
    QCommandLineOption m_formOption;
    QCommandLineOption m_firstOption;
    QCommandLineOption m_secondOption;
    QCommandLineOption m_stopOption;
    QCommandLineOption m_rainbowOption;
    QCommandLineOption m_presetOption;
    QCommandLineOption m_listPresetsOption;
    QCommandLineOption m_spaceOption;
    QCommandLineOption m_hueOption;
    QCommandLineOption m_reverseOption;
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
    QCommandLineOption m_unitOption;
    QCommandLineOption m_formatOption;
    QCommandLineOption m_mergeOption;
    QCommandLineOption m_skipWhitespaceOption;
    QCommandLineOption m_keepLineBreaksOption;
    QCommandLineOption m_linesOption;
    QCommandLineOption m_pageOption;
    QCommandLineOption m_backgroundOption;
    QCommandLineOption m_minContrastOption;
    QCommandLineOption m_checkContrastOption;
    QCommandLineOption m_encodingOption;
    QCommandLineOption m_outputOption;
    QCommandLineOption m_helpOption;
    QCommandLineOption m_versionOption;

    CliRequest m_request;
    QString m_errorMessage;
};

} // namespace huespan
