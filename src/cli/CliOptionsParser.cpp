#include "CliOptionsParser.h"

#include "CliMessageText.h"
#include "CliProgramName.h"
#include "CodePageEncoder.h"
#include "ComponentText.h"
#include "GradientPresets.h"
#include "SettingNames.h"
#include "SettingsConflict.h"
#include "StopText.h"
#include "TextUnits.h"

#include <QStringView>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

QString usageError(const QString& what)
{
    return kProgramName + u": "_s + what;
}

using CliMessageText::quoted;

bool consistsOfDigits(QStringView text, int base)
{
    if (text.isEmpty())
        return false;
    const auto isDigit = base == 16 ? ComponentText::isHexadecimalDigit : ComponentText::isDecimalDigit;
    return std::all_of(text.begin(), text.end(), isDigit);
}

// The value of a text of digits; runs of digits too long for any counter count as too large.
uint digitValue(QStringView text, int base)
{
    bool converted = false;
    const uint value = text.toUInt(&converted, base);
    return converted ? value : std::numeric_limits<uint>::max();
}

// A contrast ratio as WCAG writes it, 1 to 21, with ":1" if the user likes.
std::optional<double> contrastRatio(QStringView text)
{
    if (text.endsWith(u":1"))
        text.chop(2);
    // Written as a position is, digits with an optional fraction; a ratio is at most 21.
    const std::optional<double> value = StopText::percentage(text);
    return value && *value >= 1.0 && *value <= 21.0 ? value : std::nullopt;
}

QString optionLabel(const QCommandLineOption& option)
{
    const QStringList names = option.names();
    const QString& name = names.constFirst();
    return (name.size() == 1 ? u"-"_s : u"--"_s) + name;
}

// When the option is given, its value read by name into value; the message of a name that is none
// of the setting's.
template <typename Value>
std::optional<QString> readNamed(const QCommandLineParser& parser, const QCommandLineOption& option,
                                 QStringView what, Value& value)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString name = parser.value(option);
    const std::optional<Value> named = valueNamed<Value>(name);
    if (!named)
        return optionLabel(option) + u": unknown "_s + what + u' ' + quoted(name) + u" (use "_s +
               choicesText<Value>() + u')';
    value = *named;
    return std::nullopt;
}

// What shows the format, as a message names it.
QString noun(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Ansi:
        return u"a terminal"_s;
    case OutputFormat::MiniMessage:
    case OutputFormat::MinecraftHex:
    case OutputFormat::MinecraftSection:
    case OutputFormat::MinecraftJson:
        return u"Minecraft chat"_s;
    case OutputFormat::Mfm:
        return u"an MFM note"_s;
    case OutputFormat::Pango:
        return u"Pango markup"_s;
    default:
        return u"a message board"_s;
    }
}

// The argument that holds an unknown option. Letters after a single dash are read as a cluster of
// short options, so "-bold" reports "b"; the user typed, and is told about, "-bold".
QString unknownOptionArgument(const QStringList& arguments, const QString& name)
{
    if (name.size() == 1) {
        for (qsizetype index = 1; index < arguments.size(); ++index) {
            const QString& argument = arguments.at(index);
            if (argument == u"--"_s)
                break;
            if (argument.size() > 2 && argument.startsWith(u'-') && !argument.startsWith(u"--"_s) &&
                argument.contains(name))
                return argument;
        }
    }
    return (name.size() == 1 ? u"-"_s : u"--"_s) + name;
}

} // namespace

CliOptionsParser::CliOptionsParser()
    : m_formOption(u"form"_s, u"The gradient: "_s + choicesText<GradientForm>(true) + u'.', u"FORM"_s)
    , m_firstOption(u"first"_s,
                    u"The first colour: the start colour, or with "_s + nameOf(GradientForm::BothSidesSame) +
                        u" the colour of both edges (default 0,0,0)."_s,
                    u"R,G,B"_s)
    , m_secondOption(u"second"_s,
                     u"The second colour: the end colour, or with "_s + nameOf(GradientForm::BothSidesSame) +
                         u" the colour of the middle (default 0,0,0)."_s,
                     u"R,G,B"_s)
    , m_stopOption(u"stop"_s,
                   u"A colour stop, repeatable, at least two: #RRGGBB, RRGGBB or R,G,B, optionally with a "
                   u"position in percent after @ (e.g. #FF8000@25). Stops without a position are spread "
                   u"evenly. With "_s +
                       nameOf(GradientForm::BothSidesSame) + u" the stops are mirrored."_s,
                   u"COLOUR[@POSITION]"_s)
    , m_rainbowOption(u"rainbow"_s, u"A full hue circle instead of colours or stops."_s)
    , m_presetOption(u"preset"_s, u"A built-in gradient; --list-presets shows them."_s, u"NAME"_s)
    , m_listPresetsOption(u"list-presets"_s, u"Lists the built-in gradients with their stops."_s)
    , m_spaceOption(u"space"_s,
                    u"The colour space to interpolate in: "_s + choicesText<ColourSpace>(true) + u'.',
                    u"SPACE"_s)
    , m_hueOption(u"hue"_s,
                  u"How "_s + nameOf(ColourSpace::Oklch) + u" and "_s + nameOf(ColourSpace::Hsl) +
                      u" run round the hue circle: "_s + choicesText<HueInterpolation>(true) + u'.',
                  u"RULE"_s)
    , m_reverseOption(u"reverse"_s, u"The colours run the other way."_s)
    , m_hexOption(u"hex"_s, u"Colour components are hexadecimal, 0 to FF, instead of decimal 0 to 255."_s)
    , m_boldOption(u"bold"_s, u"Bold."_s)
    , m_italicOption(u"italic"_s, u"Italic."_s)
    , m_underlineOption(u"underline"_s, u"Underlined."_s)
    , m_strikeOption(u"strike"_s, u"Struck through."_s)
    , m_sizeOption(u"size"_s, u"Font size, 1 to 7."_s, u"N"_s)
    , m_headingOption(u"heading"_s, u"Heading level, 1 to 6 or H1 to H6 (not with --size)."_s, u"N"_s)
    , m_beforeOption(u"before"_s, u"Tags written before the coloured text, as given."_s, u"TAGS"_s)
    , m_afterOption(u"after"_s, u"Tags written after the coloured text, as given."_s, u"TAGS"_s)
    , m_lineBreaksOption(u"line-breaks"_s,
                         u"A line break after the opening tags and after every character."_s)
    , m_unitOption(u"unit"_s,
                   u"What takes one colour: "_s + choicesText<TextUnit>(true) +
                       u" (a whole emoji, flag or letter with its accents)."_s,
                   u"UNIT"_s)
    , m_formatOption(u"format"_s, u"The output: "_s + choicesText<OutputFormat>(true) + u'.', u"FORMAT"_s)
    , m_mergeOption(u"merge"_s, u"Neighbouring characters of the same colour share one element."_s)
    , m_skipWhitespaceOption(u"skip-whitespace"_s, u"White space takes no colour and no element."_s)
    , m_keepLineBreaksOption(u"keep-line-breaks"_s,
                             u"Line breaks of the text stay line breaks (<BR> in HTML) and take no colour."_s)
    , m_linesOption(
          u"lines"_s,
          u"How the gradient runs over the lines: "_s + choicesText<LineGradient>(true) +
              u". With each, every line takes the whole gradient; with columns, the k-th character "
              u"of every line takes the colour of column k, as in a banner. Keeps the line breaks."_s,
          u"MODE"_s)
    , m_pageOption(u"page"_s,
                   u"Write the whole preview page with this background colour instead of the markup."_s,
                   u"R,G,B"_s)
    , m_backgroundOption(u"background"_s,
                         u"The background the text is shown on, for --min-contrast and --check-contrast: "
                         u"#RRGGBB, RRGGBB or R,G,B (default: the colour of --page)."_s,
                         u"COLOUR"_s)
    , m_minContrastOption(u"min-contrast"_s,
                          u"Every character keeps at least this contrast against the background, 1 to 21 "
                          u"(4.5 for text, 3 for large text, 7 for the enhanced level); a colour below it "
                          u"changes its lightness only."_s,
                          u"RATIO"_s)
    , m_checkContrastOption(u"check-contrast"_s,
                            u"After the output, one line on standard error with the lowest contrast "
                            u"against the background and how many characters fall below 3, 4.5 and 7."_s)
    , m_encodingOption(u"encoding"_s,
                       u"Character encoding of the output, e.g. UTF-8 (default), CP932, SHIFT_JIS, EUC-JP; "
                       u"characters it cannot represent become \"?\"."_s,
                       u"NAME"_s)
    , m_outputOption(QStringList{u"o"_s, u"output"_s}, u"Write to FILE instead of standard output."_s,
                     u"FILE"_s)
    , m_helpOption(m_parser.addHelpOption())
    , m_versionOption(m_parser.addVersionOption())
{
    m_parser.setApplicationDescription(
        u"Colours every character of TEXT along a gradient and writes the markup.\n"
        u"Without TEXT the text is read from standard input (UTF-8); one final line break is dropped."_s);
    m_parser.addOptions({m_formOption,           m_firstOption,       m_secondOption,
                         m_stopOption,           m_rainbowOption,     m_presetOption,
                         m_listPresetsOption,    m_spaceOption,       m_hueOption,
                         m_reverseOption,        m_hexOption,         m_boldOption,
                         m_italicOption,         m_underlineOption,   m_strikeOption,
                         m_sizeOption,           m_headingOption,     m_beforeOption,
                         m_afterOption,          m_lineBreaksOption,  m_unitOption,
                         m_formatOption,         m_mergeOption,       m_skipWhitespaceOption,
                         m_keepLineBreaksOption, m_linesOption,       m_pageOption,
                         m_backgroundOption,     m_minContrastOption, m_checkContrastOption,
                         m_encodingOption,       m_outputOption});
    m_parser.addPositionalArgument(u"text"_s, u"The text to colour."_s, u"[TEXT]"_s);
}

CliOptionsParser::Outcome CliOptionsParser::parse(const QStringList& arguments)
{
    m_request = CliRequest{};
    m_errorMessage.clear();

    if (!m_parser.parse(arguments)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            m_errorMessage = usageError(m_parser.errorText());
        } else {
            m_errorMessage = usageError(u"unknown option "_s +
                                        quoted(unknownOptionArgument(arguments, unknown.constFirst())));
        }
        return Outcome::UsageError;
    }
    if (m_parser.isSet(m_helpOption) || m_parser.isSet(u"help-all"_s))
        return Outcome::ShowHelp;
    if (m_parser.isSet(m_versionOption))
        return Outcome::ShowVersion;
    if (m_parser.isSet(m_listPresetsOption))
        return Outcome::ListPresets;

    if (const std::optional<QString> error = readArguments()) {
        m_errorMessage = usageError(*error);
        m_request = CliRequest{};
        return Outcome::UsageError;
    }
    return Outcome::Run;
}

QString CliOptionsParser::helpText() const
{
    // The usage line names the program as installed, not by the path it was started from.
    QString text = m_parser.helpText();
    const qsizetype usageEnd = text.indexOf(u" [options]"_s);
    if (text.startsWith(u"Usage: "_s) && usageEnd > 0)
        text.replace(7, usageEnd - 7, kProgramName);
    return text;
}

QString CliOptionsParser::versionText() const
{
    // The second line names the Unicode version whose rules cut grapheme clusters (--unit grapheme),
    // as the segmentation library in use reports it.
    return kProgramName + u' ' + QLatin1StringView(HUESPAN_VERSION) + u'\n' + u"Unicode "_s +
           TextUnits::unicodeVersion() + u'\n';
}

std::optional<QString> CliOptionsParser::readArguments()
{
    // The notation decides how every colour is read, so it comes before the colours.
    m_request.settings.notation = m_parser.isSet(m_hexOption) ? Notation::Hexadecimal : Notation::Decimal;
    for (const auto reader :
         {&CliOptionsParser::readText, &CliOptionsParser::readForm, &CliOptionsParser::readColourSource,
          &CliOptionsParser::readSpaceAndHue, &CliOptionsParser::readStyles,
          &CliOptionsParser::readSizeOrHeading, &CliOptionsParser::readTags,
          &CliOptionsParser::readUnitAndFormat, &CliOptionsParser::readPage, &CliOptionsParser::readContrast,
          &CliOptionsParser::readDestination}) {
        if (std::optional<QString> error = (this->*reader)())
            return error;
    }
    return readConflicts();
}

std::optional<QString> CliOptionsParser::readText()
{
    const QStringList positional = m_parser.positionalArguments();
    if (positional.size() > 1) {
        return u"unexpected argument "_s + quoted(positional.at(1)) +
               u": give the text as one argument (quote it when it holds blanks)"_s;
    }
    if (!positional.isEmpty())
        m_request.text = positional.constFirst();
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readForm()
{
    return readNamed(m_parser, m_formOption, u"form", m_request.settings.form);
}

std::optional<QString> CliOptionsParser::readColourSource()
{
    // The colours come one way only: two colours, stops, the rainbow or a preset.
    QStringList given;
    if (m_parser.isSet(m_firstOption) || m_parser.isSet(m_secondOption))
        given.append(optionLabel(m_parser.isSet(m_firstOption) ? m_firstOption : m_secondOption));
    for (const QCommandLineOption* option : {&m_stopOption, &m_rainbowOption, &m_presetOption}) {
        if (m_parser.isSet(*option))
            given.append(optionLabel(*option));
    }
    if (given.size() > 1) {
        return given.at(0) + u" and "_s + given.at(1) +
               u" cannot be combined: give the colours by --first and --second, by --stop, by --rainbow "
               u"or by --preset"_s;
    }

    m_request.settings.extended.reverse = m_parser.isSet(m_reverseOption);
    if (m_parser.isSet(m_stopOption))
        return readStops();
    if (m_parser.isSet(m_rainbowOption)) {
        const GradientPreset rainbow = rainbowGradient();
        m_request.settings.extended.stops = rainbow.stops;
        m_request.settings.extended.space = rainbow.space;
        m_request.settings.extended.hue = rainbow.hue;
        return std::nullopt;
    }
    if (m_parser.isSet(m_presetOption))
        return readPreset();
    return readTwoColours();
}

std::optional<QString> CliOptionsParser::readTwoColours()
{
    std::array<QString, 3> first{u"0"_s, u"0"_s, u"0"_s};
    std::array<QString, 3> second = first;
    if (m_parser.isSet(m_firstOption)) {
        if (std::optional<QString> error = readColourTriple(m_firstOption, first))
            return error;
    }
    if (m_parser.isSet(m_secondOption)) {
        if (std::optional<QString> error = readColourTriple(m_secondOption, second))
            return error;
    }
    for (std::size_t index = 0; index < 3; ++index) {
        m_request.settings.componentTexts[index] = first[index];
        m_request.settings.componentTexts[index + 3] = second[index];
    }
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readStops()
{
    const QStringList values = m_parser.values(m_stopOption);
    if (values.size() < 2) {
        return optionLabel(m_stopOption) + u": a gradient needs at least two stops, "_s +
               QString::number(values.size()) + u" given"_s;
    }
    std::vector<ColourStop>& stops = m_request.settings.extended.stops;
    for (const QString& value : values) {
        ColourStop stop;
        if (std::optional<QString> error = readStop(value, stop))
            return error;
        stops.push_back(stop);
    }
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readStop(const QString& value, ColourStop& stop) const
{
    const StopText::Reading reading = StopText::read(value, m_request.settings.notation);
    if (reading.fault == StopText::Fault::PositionOutOfRange) {
        return optionLabel(m_stopOption) + u": position "_s + quoted(reading.part) + u" of "_s +
               quoted(value) + u" is not a percentage from 0 to 100"_s;
    }
    if (!reading.ok())
        return faultMessage(optionLabel(m_stopOption), reading);
    stop = reading.stop;
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readColour(const QString& optionName, const QString& colour,
                                                    ColourTriple& triple) const
{
    const StopText::Reading reading = StopText::readColour(colour, m_request.settings.notation);
    if (!reading.ok())
        return faultMessage(optionName, reading);
    triple = reading.stop.colour;
    return std::nullopt;
}

QString CliOptionsParser::faultMessage(const QString& optionName, const StopText::Reading& reading) const
{
    const bool hexadecimal = m_request.settings.notation == Notation::Hexadecimal;
    switch (reading.fault) {
    case StopText::Fault::NotThreeComponents:
        return optionName + u": "_s + quoted(reading.part) + u" is not three components R,G,B"_s;
    case StopText::Fault::ComponentNotANumber:
        return optionName + u": component "_s + quoted(reading.part) +
               (hexadecimal ? u" is not a hexadecimal number"_s : u" is not a decimal number"_s);
    case StopText::Fault::ComponentOutOfRange:
        return optionName + u": component "_s + quoted(reading.part) + u" is out of range "_s +
               (hexadecimal ? u"0-FF"_s : u"0-255"_s);
    case StopText::Fault::NotAColour:
    case StopText::Fault::PositionOutOfRange:
    case StopText::Fault::None:
        break;
    }
    return optionName + u": "_s + quoted(reading.part) + u" is not a colour #RRGGBB, RRGGBB or R,G,B"_s;
}

std::optional<QString> CliOptionsParser::readPreset()
{
    const QString name = m_parser.value(m_presetOption);
    const GradientPreset* preset = findGradientPreset(name);
    if (!preset) {
        return optionLabel(m_presetOption) + u": unknown preset "_s + quoted(name) + u" (" + kProgramName +
               u" --list-presets shows them)"_s;
    }
    m_request.settings.extended.stops = preset->stops;
    m_request.settings.extended.space = preset->space;
    m_request.settings.extended.hue = preset->hue;
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readSpaceAndHue()
{
    // Given explicitly, they take the place of a preset's own.
    ExtendedSettings& extended = m_request.settings.extended;
    if (std::optional<QString> error = readNamed(m_parser, m_spaceOption, u"colour space", extended.space))
        return error;
    return readNamed(m_parser, m_hueOption, u"hue interpolation", extended.hue);
}

std::optional<QString> CliOptionsParser::readStyles()
{
    GradientSettings& settings = m_request.settings;
    settings.bold = m_parser.isSet(m_boldOption);
    settings.italic = m_parser.isSet(m_italicOption);
    settings.underline = m_parser.isSet(m_underlineOption);
    settings.strike = m_parser.isSet(m_strikeOption);
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readSizeOrHeading()
{
    GradientSettings& settings = m_request.settings;
    const bool sizeGiven = m_parser.isSet(m_sizeOption);
    const bool headingGiven = m_parser.isSet(m_headingOption);
    if (sizeGiven && headingGiven) {
        return optionLabel(m_sizeOption) + u' ' + quoted(m_parser.value(m_sizeOption)) + u" and "_s +
               optionLabel(m_headingOption) + u' ' + quoted(m_parser.value(m_headingOption)) +
               u" cannot be combined: the markup takes a font size or a heading"_s;
    }
    if (sizeGiven) {
        const QString size = m_parser.value(m_sizeOption);
        const uint value = consistsOfDigits(size, 10) ? digitValue(size, 10) : 0;
        if (value < 1 || value > 7)
            return optionLabel(m_sizeOption) + u": "_s + quoted(size) + u" is not a font size from 1 to 7"_s;
        settings.sizeMode = SizeMode::Normal;
        settings.fontSize = static_cast<int>(value);
    }
    if (headingGiven) {
        const QString heading = m_parser.value(m_headingOption);
        QStringView level = heading;
        if (level.startsWith(u'H', Qt::CaseInsensitive))
            level = level.sliced(1);
        const uint value = consistsOfDigits(level, 10) ? digitValue(level, 10) : 0;
        if (value < 1 || value > 6) {
            return optionLabel(m_headingOption) + u": "_s + quoted(heading) +
                   u" is not a heading level from 1 to 6 or H1 to H6"_s;
        }
        settings.sizeMode = SizeMode::Heading;
        settings.heading = static_cast<int>(value);
    }
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readTags()
{
    GradientSettings& settings = m_request.settings;
    settings.tagsBefore = m_parser.value(m_beforeOption);
    settings.tagsAfter = m_parser.value(m_afterOption);
    settings.lineBreaks = m_parser.isSet(m_lineBreaksOption);
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readUnitAndFormat()
{
    ExtendedSettings& extended = m_request.settings.extended;
    if (std::optional<QString> error = readNamed(m_parser, m_unitOption, u"unit", extended.unit))
        return error;
    if (std::optional<QString> error = readNamed(m_parser, m_formatOption, u"format", extended.format))
        return error;
    extended.merge = m_parser.isSet(m_mergeOption);
    extended.skipWhitespace = m_parser.isSet(m_skipWhitespaceOption);
    extended.keepLineBreaks = m_parser.isSet(m_keepLineBreaksOption);
    return readNamed(m_parser, m_linesOption, u"mode", extended.lines);
}

std::optional<QString> CliOptionsParser::readPage()
{
    if (!m_parser.isSet(m_pageOption))
        return std::nullopt;
    std::array<QString, 3> background;
    if (std::optional<QString> error = readColourTriple(m_pageOption, background))
        return error;
    m_request.pageBackground = background;
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readContrast()
{
    if (m_parser.isSet(m_backgroundOption)) {
        if (m_parser.isSet(m_pageOption)) {
            return optionLabel(m_backgroundOption) + u" and "_s + optionLabel(m_pageOption) +
                   u" cannot be combined: the page's colour is the background"_s;
        }
        const QString value = m_parser.value(m_backgroundOption);
        ColourTriple background;
        if (std::optional<QString> error = readColour(optionLabel(m_backgroundOption), value, background))
            return error;
        m_request.background = background;
    } else if (m_request.pageBackground) {
        const int base = m_request.settings.notation == Notation::Hexadecimal ? 16 : 10;
        const auto component = [this, base](std::size_t index) {
            return static_cast<qint16>(digitValue((*m_request.pageBackground)[index], base));
        };
        m_request.background = ColourTriple{component(0), component(1), component(2)};
    }

    m_request.checkContrast = m_parser.isSet(m_checkContrastOption);
    const bool floorGiven = m_parser.isSet(m_minContrastOption);
    for (const QCommandLineOption* option : {&m_minContrastOption, &m_checkContrastOption}) {
        if (m_parser.isSet(*option) && !m_request.background) {
            return optionLabel(*option) + u" needs a background: give "_s + optionLabel(m_backgroundOption) +
                   u" COLOUR or "_s + optionLabel(m_pageOption) + u" R,G,B"_s;
        }
    }
    if (!floorGiven)
        return std::nullopt;
    const QString value = m_parser.value(m_minContrastOption);
    const std::optional<double> ratio = contrastRatio(value);
    if (!ratio) {
        return optionLabel(m_minContrastOption) + u": "_s + quoted(value) +
               u" is not a contrast ratio from 1 to 21 (such as 4.5 or 4.5:1)"_s;
    }
    m_request.settings.extended.contrastFloor = ContrastFloor{*ratio, *m_request.background};
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readDestination()
{
    if (m_parser.isSet(m_encodingOption)) {
        const QString name = m_parser.value(m_encodingOption);
        // A name outside Latin-1 cannot name an encoding; the check keeps it from being mangled into one.
        const bool latin1 =
            std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (latin1 && CodePageEncoder::hasConversionSuffix(name.toLatin1())) {
            return optionLabel(m_encodingOption) + u": "_s + quoted(name) +
                   u" has a suffix; give the encoding's name alone (a character it lacks becomes \"?\")"_s;
        }
        const int error = latin1 ? CodePageEncoder::openingError(name.toLatin1()) : EINVAL;
        if (error != 0 && error != EINVAL) {
            return optionLabel(m_encodingOption) + u": cannot use encoding "_s + quoted(name) + u": "_s +
                   QString::fromLocal8Bit(std::strerror(error));
        }
        if (error != 0)
            return optionLabel(m_encodingOption) + u": unknown encoding "_s + quoted(name);
        m_request.encoding = name.toLatin1();
    }

    if (m_parser.isSet(m_outputOption)) {
        m_request.outputPath = m_parser.value(m_outputOption);
        if (m_request.outputPath.isEmpty())
            return optionLabel(m_outputOption) + u": no file name given"_s;
    }
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readConflicts() const
{
    const std::optional<SettingsConflict> conflict =
        findSettingsConflict(m_request.settings, m_request.pageBackground.has_value());
    if (!conflict)
        return std::nullopt;
    const QString format = optionLabel(m_formatOption) + u' ' + nameOf(conflict->format);
    switch (conflict->setting) {
    case SettingsConflict::Setting::Heading:
        return optionLabel(m_headingOption) + u" cannot be used with "_s + format + u": "_s +
               noun(conflict->format) + u" has no headings"_s;
    case SettingsConflict::Setting::FontSize:
        return optionLabel(m_sizeOption) + u" cannot be used with "_s + format + u": "_s +
               noun(conflict->format) + u" has no font sizes"_s;
    case SettingsConflict::Setting::Underline:
        return optionLabel(m_underlineOption) + u" cannot be used with "_s + format + u": "_s +
               noun(conflict->format) + u" has no underline"_s;
    case SettingsConflict::Setting::Page:
        return optionLabel(m_pageOption) + u" cannot be used with "_s + format +
               u": the preview page is HTML"_s;
    case SettingsConflict::Setting::LineBreaks:
        return optionLabel(m_lineBreaksOption) + u" cannot be used with "_s + format + u": "_s +
               noun(conflict->format) + u" would show the line breaks in the text"_s;
    case SettingsConflict::Setting::SingleStop:
        return optionLabel(m_stopOption) + u": a gradient needs at least two stops, 1 given"_s;
    case SettingsConflict::Setting::ContrastFloor:
        return optionLabel(m_minContrastOption) + u" cannot be used with "_s + format +
               u": the CSS gradient has no colour per character to keep"_s;
    }
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::readColourTriple(const QCommandLineOption& option,
                                                          std::array<QString, 3>& triple) const
{
    const QString optionName = optionLabel(option);
    const QString value = m_parser.value(option);
    const QStringList components = value.split(u',');
    if (components.size() != 3)
        return optionName + u": "_s + quoted(value) + u" is not three components R,G,B"_s;
    for (qsizetype index = 0; index < 3; ++index) {
        if (std::optional<QString> error = checkComponent(optionName, components.at(index)))
            return error;
        triple[static_cast<std::size_t>(index)] = components.at(index);
    }
    return std::nullopt;
}

std::optional<QString> CliOptionsParser::checkComponent(const QString& optionName,
                                                        const QString& component) const
{
    StopText::Reading reading;
    reading.fault = StopText::componentFault(component, m_request.settings.notation);
    reading.part = component;
    return reading.ok() ? std::nullopt : std::optional<QString>(faultMessage(optionName, reading));
}

} // namespace huespan
