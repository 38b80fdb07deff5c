#include "ui/AdvancedSettingsStore.h"

#include "ColourSpace.h"
#include "ColourValues.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <array>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

template <typename Enum, std::size_t Count> using NameTable = std::array<std::pair<Enum, QStringView>, Count>;

constexpr NameTable<GradientChoice, 3> kGradients{{
    {GradientChoice::TwoColours, u"two-colours"},
    {GradientChoice::Stops, u"stops"},
    {GradientChoice::Rainbow, u"rainbow"},
}};
constexpr NameTable<TextUnit, 2> kUnits{{
    {TextUnit::CodePoint, u"character"},
    {TextUnit::Grapheme, u"grapheme"},
}};
constexpr NameTable<OutputFormat, 5> kFormats{{
    {OutputFormat::Font, u"font"},
    {OutputFormat::Span, u"span"},
    {OutputFormat::Bbcode, u"bbcode"},
    {OutputFormat::Ansi, u"ansi"},
    {OutputFormat::Css, u"css"},
}};

template <typename Enum, std::size_t Count>
Enum readName(const QSettings& file, const QString& key, const NameTable<Enum, Count>& table, Enum fallback)
{
    const QString name = file.value(key).toString();
    for (const auto& [value, text] : table) {
        if (name == text)
            return value;
    }
    return fallback;
}

template <typename Enum, std::size_t Count>
void writeName(QSettings& file, const QString& key, const NameTable<Enum, Count>& table, Enum value)
{
    for (const auto& [candidate, text] : table) {
        if (candidate == value)
            file.setValue(key, text.toString());
    }
}

// Only what write() puts there counts as on: any other text leaves the switch off.
bool readFlag(const QSettings& file, const QString& key)
{
    return file.value(key).toString() == u"true"_s;
}

// "#RRGGBB" or "#RRGGBB@position"; nothing when the text is not one.
std::optional<ColourStop> stopFromText(QStringView text)
{
    const qsizetype at = text.indexOf(u'@');
    const QStringView colour = at < 0 ? text : text.first(at);
    if (colour.size() != 7 || !colour.startsWith(u'#'))
        return std::nullopt;
    bool ok = false;
    const uint rgb = colour.sliced(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    ColourStop stop{ColourTriple{static_cast<qint16>((rgb >> 16) & 0xFF),
                                 static_cast<qint16>((rgb >> 8) & 0xFF), static_cast<qint16>(rgb & 0xFF)},
                    std::nullopt};
    if (at >= 0) {
        const double position = text.sliced(at + 1).toDouble(&ok);
        if (!ok || !std::isfinite(position))
            return std::nullopt;
        stop.position = position;
    }
    return stop;
}

QString stopText(const ColourStop& stop)
{
    QString text = u'#' + ColourCode(stop.colour);
    if (stop.position)
        text += u'@' + QString::number(*stop.position, 'g', 17);
    return text;
}

} // namespace

QString AdvancedSettingsStore::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/huespan/advanced.ini"_s;
}

AdvancedSettings AdvancedSettingsStore::read(const QSettings& file)
{
    AdvancedSettings settings;
    ExtendedSettings& options = settings.options;
    settings.gradient = readName(file, u"gradient"_s, kGradients, settings.gradient);
    // Spaces and hue rules go by the names the command line gives them.
    options.space = colourSpaceFromName(file.value(u"space"_s).toString()).value_or(options.space);
    options.hue = hueInterpolationFromName(file.value(u"hue"_s).toString()).value_or(options.hue);
    options.unit = readName(file, u"unit"_s, kUnits, options.unit);
    options.format = readName(file, u"format"_s, kFormats, options.format);
    options.merge = readFlag(file, u"merge"_s);
    options.skipWhitespace = readFlag(file, u"skipWhitespace"_s);
    options.keepLineBreaks = readFlag(file, u"keepLineBreaks"_s);
    options.reverse = readFlag(file, u"reverse"_s);
    for (const QString& text : file.value(u"stops"_s).toStringList()) {
        if (const std::optional<ColourStop> stop = stopFromText(text))
            settings.stops.push_back(*stop);
    }
    return settings;
}

void AdvancedSettingsStore::write(QSettings& file, const AdvancedSettings& settings)
{
    const ExtendedSettings& options = settings.options;
    writeName(file, u"gradient"_s, kGradients, settings.gradient);
    file.setValue(u"space"_s, colourSpaceName(options.space));
    file.setValue(u"hue"_s, hueInterpolationName(options.hue));
    writeName(file, u"unit"_s, kUnits, options.unit);
    writeName(file, u"format"_s, kFormats, options.format);
    file.setValue(u"merge"_s, options.merge);
    file.setValue(u"skipWhitespace"_s, options.skipWhitespace);
    file.setValue(u"keepLineBreaks"_s, options.keepLineBreaks);
    file.setValue(u"reverse"_s, options.reverse);
    QStringList stops;
    for (const ColourStop& stop : settings.stops)
        stops.append(stopText(stop));
    file.setValue(u"stops"_s, stops);
}

AdvancedSettings AdvancedSettingsStore::load()
{
    const QSettings file(filePath(), QSettings::IniFormat);
    return read(file);
}

bool AdvancedSettingsStore::save(const AdvancedSettings& settings)
{
    QSettings file(filePath(), QSettings::IniFormat);
    write(file, settings);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace huespan
