#include "CliOptionsParser.h"

#include "CodePageEncoder.h"

#include <QStringView>
#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

constexpr QLatin1StringView kProgramName{"huespan-cli"};
constexpr QLatin1StringView kLeftToRight{"left-to-right"};
constexpr QLatin1StringView kBothSidesSame{"both-sides-same"};

QString usageError(const QString& what)
{
    return kProgramName + u": "_s + what;
}

QString quoted(const QString& value)
{
    return u'"' + value + u'"';
}

bool consistsOfDigits(QStringView text, int base)
{
    if (text.isEmpty())
        return false;
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        const bool decimalDigit = unit >= u'0' && unit <= u'9';
        const bool hexadecimalLetter = (unit >= u'a' && unit <= u'f') || (unit >= u'A' && unit <= u'F');
        if (!decimalDigit && !(base == 16 && hexadecimalLetter))
            return false;
    }
    return true;
}

// The value of a text of digits; runs of digits too long for any counter count as too large.
uint digitValue(QStringView text, int base)
{
    bool converted = false;
    const uint value = text.toUInt(&converted, base);
    return converted ? value : std::numeric_limits<uint>::max();
}

QString optionLabel(const QCommandLineOption& option)
{
    const QStringList names = option.names();
    const QString& name = names.constFirst();
    return (name.size() == 1 ? u"-"_s : u"--"_s) + name;
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
    : m_formOption(u"form"_s, u"The gradient: left-to-right (default) or both-sides-same."_s, u"FORM"_s)
    , m_firstOption(u"first"_s,
                    u"The first colour: the start colour, or with both-sides-same the colour of both edges "
                    u"(default 0,0,0)."_s,
                    u"R,G,B"_s)
    , m_secondOption(u"second"_s,
                     u"The second colour: the end colour, or with both-sides-same the colour of the middle "
                     u"(default 0,0,0)."_s,
                     u"R,G,B"_s)
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
    , m_pageOption(u"page"_s,
                   u"Write the whole preview page with this background colour instead of the markup."_s,
                   u"R,G,B"_s)
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
        u"Colours every character of TEXT along a gradient between two colours and writes the HTML markup.\n"
        u"Without TEXT the text is read from standard input (UTF-8); one final line break is dropped."_s);
    m_parser.addOptions({m_formOption, m_firstOption, m_secondOption, m_hexOption, m_boldOption,
                         m_italicOption, m_underlineOption, m_strikeOption, m_sizeOption, m_headingOption,
                         m_beforeOption, m_afterOption, m_lineBreaksOption, m_pageOption, m_encodingOption,
                         m_outputOption});
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
    return kProgramName + u' ' + QLatin1StringView(HUESPAN_VERSION) + u'\n';
}

std::optional<QString> CliOptionsParser::readArguments()
{
    GradientSettings& settings = m_request.settings;

    const QStringList positional = m_parser.positionalArguments();
    if (positional.size() > 1) {
        return u"unexpected argument "_s + quoted(positional.at(1)) +
               u": give the text as one argument (quote it when it holds blanks)"_s;
    }
    if (!positional.isEmpty())
        m_request.text = positional.constFirst();

    if (m_parser.isSet(m_formOption)) {
        const QString form = m_parser.value(m_formOption);
        if (form == kLeftToRight) {
            settings.form = GradientForm::LeftToRight;
        } else if (form == kBothSidesSame) {
            settings.form = GradientForm::BothSidesSame;
        } else {
            return optionLabel(m_formOption) + u": unknown form "_s + quoted(form) + u" (use "_s +
                   kLeftToRight + u" or "_s + kBothSidesSame + u')';
        }
    }

    // The notation decides how every colour below is read, so it comes first.
    settings.notation = m_parser.isSet(m_hexOption) ? Notation::Hexadecimal : Notation::Decimal;

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
        settings.componentTexts[index] = first[index];
        settings.componentTexts[index + 3] = second[index];
    }

    settings.bold = m_parser.isSet(m_boldOption);
    settings.italic = m_parser.isSet(m_italicOption);
    settings.underline = m_parser.isSet(m_underlineOption);
    settings.strike = m_parser.isSet(m_strikeOption);

    if (std::optional<QString> error = readSizeOrHeading())
        return error;

    settings.tagsBefore = m_parser.value(m_beforeOption);
    settings.tagsAfter = m_parser.value(m_afterOption);
    settings.lineBreaks = m_parser.isSet(m_lineBreaksOption);

    if (m_parser.isSet(m_pageOption)) {
        std::array<QString, 3> background;
        if (std::optional<QString> error = readColourTriple(m_pageOption, background))
            return error;
        m_request.pageBackground = background;
    }

    if (m_parser.isSet(m_encodingOption)) {
        const QString name = m_parser.value(m_encodingOption);
        // A name outside Latin-1 cannot name an encoding; the check keeps it from being mangled into one.
        const bool latin1 =
            std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (latin1 && CodePageEncoder::hasConversionSuffix(name.toLatin1())) {
            return optionLabel(m_encodingOption) + u": "_s + quoted(name) +
                   u" has a suffix; give the encoding's name alone (a character it lacks becomes \"?\")"_s;
        }
        if (name.isEmpty() || !latin1 || !CodePageEncoder::isKnownEncoding(name.toLatin1()))
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
        settings.fontSize = QString::number(value);
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
        settings.heading = u'H' + QString::number(value);
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
    const bool hexadecimal = m_request.settings.notation == Notation::Hexadecimal;
    const int base = hexadecimal ? 16 : 10;
    if (!consistsOfDigits(component, base)) {
        return optionName + u": component "_s + quoted(component) +
               (hexadecimal ? u" is not a hexadecimal number"_s : u" is not a decimal number"_s);
    }
    if (digitValue(component, base) > 255) {
        return optionName + u": component "_s + quoted(component) + u" is out of range "_s +
               (hexadecimal ? u"0-FF"_s : u"0-255"_s);
    }
    return std::nullopt;
}

} // namespace huespan
