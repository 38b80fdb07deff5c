#include "ui/AdvancedSettingsStore.h"

#include "SettingNames.h"
#include "StopText.h"
#include "WholeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// The choices of the dialog's gradient group; the other values are named by the core.
constexpr std::array<std::pair<GradientChoice, QStringView>, 3> kGradients{{
    {GradientChoice::TwoColours, u"two-colours"},
    {GradientChoice::Stops, u"stops"},
    {GradientChoice::Rainbow, u"rainbow"},
}};

// What earlier versions wrote for the code-point unit.
constexpr QStringView kCodePointAlias = u"character";

// What the file writes for an empty list.
constexpr QStringView kEmptyList = u"@Invalid()";

std::optional<GradientChoice> choiceNamed(QStringView name)
{
    for (const auto& [value, text] : kGradients) {
        if (name == text)
            return value;
    }
    return std::nullopt;
}

QStringView nameOfChoice(GradientChoice choice)
{
    for (const auto& [value, text] : kGradients) {
        if (value == choice)
            return text;
    }
    return kGradients.front().second;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r';
}

QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// The key=value lines of the [General] section (and of none, before the first section), the last
// of each key holding. Anything else is skipped.
QMap<QString, QString> generalValues(const QString& text)
{
    QMap<QString, QString> values;
    bool general = true;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = trimmed(line);
        if (line.startsWith(u'[')) {
            general = line == u"[General]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!general || equals <= 0 || line.startsWith(u';'))
            continue;
        values.insert(trimmed(line.first(equals)).toString(), trimmed(line.sliced(equals + 1)).toString());
    }
    return values;
}

// Whether the file is the root of a mount of its own, as a single-file bind mount is: such a file
// cannot be renamed over, only written.
bool isMountRoot(const QString& path)
{
    struct statx status = {};
    if (::statx(AT_FDCWD, QFile::encodeName(path).constData(), 0, STATX_BASIC_STATS, &status) == 0 &&
        (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0)
        return (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    // Without the attribute, a file on another device than its folder is a mount of its own.
    struct stat file = {};
    struct stat folder = {};
    return ::stat(QFile::encodeName(path).constData(), &file) == 0 &&
           ::stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &folder) == 0 &&
           file.st_dev != folder.st_dev;
}

} // namespace

QString AdvancedSettingsStore::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/huespan/advanced.ini"_s;
}

AdvancedSettings AdvancedSettingsStore::fromText(QByteArrayView text)
{
    const QMap<QString, QString> values = generalValues(QString::fromUtf8(text));
    const auto value = [&values](const QString& key) { return values.value(key); };
    const auto flag = [&values](const QString& key) { return values.value(key) == u"true"_s; };

    AdvancedSettings settings;
    ExtendedSettings& options = settings.options;
    settings.gradient = choiceNamed(value(u"gradient"_s)).value_or(settings.gradient);
    // The values go by the names the command line gives them.
    options.space = valueNamed<ColourSpace>(value(u"space"_s)).value_or(options.space);
    options.hue = valueNamed<HueInterpolation>(value(u"hue"_s)).value_or(options.hue);
    const QString unit = value(u"unit"_s);
    options.unit =
        unit == kCodePointAlias ? TextUnit::CodePoint : valueNamed<TextUnit>(unit).value_or(options.unit);
    options.format = valueNamed<OutputFormat>(value(u"format"_s)).value_or(options.format);
    options.merge = flag(u"merge"_s);
    options.skipWhitespace = flag(u"skipWhitespace"_s);
    options.keepLineBreaks = flag(u"keepLineBreaks"_s);
    options.reverse = flag(u"reverse"_s);
    // One of the levels the dialog offers, or none.
    for (const double level : kContrastLevels) {
        if (value(u"minContrast"_s) == QString::number(level))
            options.contrastFloor = ContrastFloor{level, ContrastFloor{}.background};
    }

    // One stop that cannot be read would leave another gradient than the one kept: the list is
    // then the default, empty one.
    const QString stops = value(u"stops"_s);
    if (!stops.isEmpty() && stops != kEmptyList) {
        for (const QStringView item : QStringView(stops).split(u',')) {
            const StopText::Reading stop = StopText::read(trimmed(item));
            if (!stop.ok()) {
                settings.stops.clear();
                break;
            }
            settings.stops.push_back(stop.stop);
        }
    }
    return settings;
}

QByteArray AdvancedSettingsStore::toText(const AdvancedSettings& settings)
{
    const ExtendedSettings& options = settings.options;
    const auto flag = [](bool on) { return on ? u"true"_s : u"false"_s; };
    QStringList stops;
    for (const ColourStop& stop : settings.stops)
        stops.append(StopText::write(stop));

    // The keys in the order of their names, as earlier versions wrote them; the contrast floor
    // only when there is one, so that a file of settings without it stays as it was.
    const std::array<std::pair<QStringView, QString>, 11> lines{{
        {u"format", nameOf(options.format)},
        {u"gradient", nameOfChoice(settings.gradient).toString()},
        {u"hue", nameOf(options.hue)},
        {u"keepLineBreaks", flag(options.keepLineBreaks)},
        {u"merge", flag(options.merge)},
        {u"minContrast", options.contrastFloor ? QString::number(options.contrastFloor->ratio) : QString()},
        {u"reverse", flag(options.reverse)},
        {u"skipWhitespace", flag(options.skipWhitespace)},
        {u"space", nameOf(options.space)},
        {u"stops", stops.isEmpty() ? kEmptyList.toString() : stops.join(u", "_s)},
        {u"unit", nameOf(options.unit)},
    }};
    QString text = u"[General]\n"_s;
    for (const auto& [key, value] : lines) {
        if (!value.isEmpty())
            text += key + u'=' + value + u'\n';
    }
    return text.toUtf8();
}

AdvancedSettingsStore::Loaded AdvancedSettingsStore::load(const QString& path)
{
    Loaded loaded;
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0) {
        loaded.unreadable = errno != ENOENT;
        return loaded;
    }
    // Checked before opening, since opening a device can do something of its own; a FIFO opened
    // without waiting is caught by the check of what was opened.
    loaded.unreadable = true;
    if (!S_ISREG(status.st_mode) || status.st_size > kMaximumFileSize)
        return loaded;
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return loaded;
    QByteArray text;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        // A file that grows while it is read is cut off just past the limit, and refused.
        text.resize(kMaximumFileSize + 1);
        qsizetype size = 0;
        while (size < text.size()) {
            const ssize_t got =
                ::read(descriptor, text.data() + size, static_cast<size_t>(text.size() - size));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                loaded.unreadable = got < 0;
                break;
            }
            size += got;
        }
        text.truncate(size);
        if (size > kMaximumFileSize)
            loaded.unreadable = true;
    }
    ::close(descriptor);
    if (!loaded.unreadable)
        loaded.settings = fromText(text);
    return loaded;
}

AdvancedSettingsStore::Loaded AdvancedSettingsStore::load()
{
    return load(filePath());
}

bool AdvancedSettingsStore::save(const QString& path, const AdvancedSettings& settings)
{
    const QByteArray text = toText(settings);
    const QFileInfo file(path);
    if (!QDir().mkpath(file.absolutePath()))
        return false;
    QString reason;
    struct stat link = {};
    if (::lstat(QFile::encodeName(path).constData(), &link) != 0)
        return errno == ENOENT &&
               WholeFileWriter::replace(path, text, reason) == WholeFileWriter::Outcome::Written;

    // A link is followed to the file it leads to; a link to nothing, or to anything but a
    // regular file, is never written through.
    const QString target = file.isSymLink() ? file.canonicalFilePath() : path;
    struct stat status = {};
    if (target.isEmpty() || ::stat(QFile::encodeName(target).constData(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return false;
    // Replacing would give another user's file to this one, cut a hard link, or fail on a mount
    // point: those are written in place.
    const bool inPlace = status.st_uid != ::geteuid() || status.st_nlink > 1 || isMountRoot(target);
    // A write in place that the file size limit would cut off is not begun.
    rlimit limit{};
    if (inPlace && ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(text.size()) > limit.rlim_cur)
        return false;
    const WholeFileWriter::Outcome outcome = inPlace ? WholeFileWriter::overwrite(target, text, reason)
                                                     : WholeFileWriter::write(target, text, reason);
    return outcome == WholeFileWriter::Outcome::Written;
}

bool AdvancedSettingsStore::save(const AdvancedSettings& settings)
{
    return save(filePath(), settings);
}

} // namespace huespan
