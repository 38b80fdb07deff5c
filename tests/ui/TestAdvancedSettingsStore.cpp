#include "SettingNames.h"
#include "UnprivilegedUser.h"
#include "ui/AdvancedSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace huespan {

// Who saves and loads in a row of the file table.
enum class Saver
{
    NormalUser,
    Root,
};

// One case of the file table: set up the settings file in the configuration folder, return the
// file whose bytes tell the outcome (the target of a link, the source of a bind mount), or an
// empty text to skip the row.
using FileSetUp = std::function<QString(const QString& folder, const QString& path)>;

} // namespace huespan

Q_DECLARE_METATYPE(huespan::AdvancedSettings)
Q_DECLARE_METATYPE(huespan::Saver)
Q_DECLARE_METATYPE(huespan::FileSetUp)

namespace huespan {

namespace {

QByteArray fileBytes(const QString& path)
{
    // Opening a FIFO to read it would wait for a writer.
    if (!QFileInfo(path).isFile())
        return "<not a regular file>";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray name(const QString& path)
{
    return QFile::encodeName(path);
}

struct stat statusOf(const QString& path)
{
    struct stat status = {};
    ::lstat(name(path).constData(), &status);
    return status;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

AdvancedSettings everythingChanged()
{
    AdvancedSettings settings;
    settings.gradient = GradientChoice::Stops;
    settings.options.space = ColourSpace::Oklch;
    settings.options.hue = HueInterpolation::Decreasing;
    settings.options.unit = TextUnit::Grapheme;
    settings.options.format = OutputFormat::Css;
    settings.options.merge = true;
    settings.options.skipWhitespace = true;
    settings.options.keepLineBreaks = true;
    settings.options.reverse = true;
    settings.stops = {{ColourTriple{255, 0, 0}, 12.5},
                      {ColourTriple{0, 0x80, 0}, std::nullopt},
                      {ColourTriple{0x0A, 0xBC, 0xDE}, 1e-3},
                      {ColourTriple{1, 2, 3}, 100.0}};
    return settings;
}

// 101 stops: more than a kibibyte of text.
AdvancedSettings manyStops()
{
    AdvancedSettings settings;
    settings.gradient = GradientChoice::Stops;
    for (int index = 0; index <= 100; ++index)
        settings.stops.push_back({ColourTriple{static_cast<qint16>(index), 0, 0}, double(index)});
    return settings;
}

const QByteArray kOld = "[General]\nmerge=true\n";

} // namespace

class TestAdvancedSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void textIsWhatEarlierVersionsWrote_data();
    void textIsWhatEarlierVersionsWrote();
    void readingIsExact_data();
    void readingIsExact();
    void hostileFiles_data();
    void hostileFiles();
};

void TestAdvancedSettingsStore::textIsWhatEarlierVersionsWrote_data()
{
    QTest::addColumn<AdvancedSettings>("settings");

    QTest::newRow("defaults") << AdvancedSettings{};
    QTest::newRow("everything changed") << everythingChanged();
    AdvancedSettings one;
    one.gradient = GradientChoice::Rainbow;
    one.options.format = OutputFormat::Ansi;
    one.stops = {{ColourTriple{0, 0, 255}, 100.0}};
    QTest::newRow("rainbow, one stop kept") << one;
    QTest::newRow("101 stops") << manyStops();
}

// Earlier versions kept the file through QSettings, which is the oracle here: the same keys and
// values, written by it, give the same bytes, and read back give the same settings.
void TestAdvancedSettingsStore::textIsWhatEarlierVersionsWrote()
{
    QFETCH(AdvancedSettings, settings);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString path = root.filePath(u"advanced.ini"_s);
    {
        const ExtendedSettings& o = settings.options;
        const auto flag = [](bool on) { return QVariant(on); };
        QSettings file(path, QSettings::IniFormat);
        const std::array gradients{u"two-colours"_s, u"stops"_s, u"rainbow"_s};
        const std::array formats{u"font"_s, u"span"_s, u"bbcode"_s, u"ansi"_s, u"css"_s};
        file.setValue(u"gradient"_s, gradients.at(static_cast<size_t>(settings.gradient)));
        file.setValue(u"space"_s, nameOf(o.space));
        file.setValue(u"hue"_s, nameOf(o.hue));
        file.setValue(u"unit"_s, nameOf(o.unit));
        file.setValue(u"format"_s, formats.at(static_cast<size_t>(o.format)));
        file.setValue(u"merge"_s, flag(o.merge));
        file.setValue(u"skipWhitespace"_s, flag(o.skipWhitespace));
        file.setValue(u"keepLineBreaks"_s, flag(o.keepLineBreaks));
        file.setValue(u"reverse"_s, flag(o.reverse));
        QStringList stops;
        for (const ColourStop& stop : settings.stops) {
            QString text = u"#%1%2%3"_s.arg(int(stop.colour.red), 2, 16, QChar(u'0'))
                               .arg(int(stop.colour.green), 2, 16, QChar(u'0'))
                               .arg(int(stop.colour.blue), 2, 16, QChar(u'0'))
                               .toUpper();
            if (stop.position)
                text += u'@' + QString::number(*stop.position, 'g', 17);
            stops.append(text);
        }
        file.setValue(u"stops"_s, stops);
    }
    const QByteArray earlier = fileBytes(path);
    QCOMPARE(AdvancedSettingsStore::toText(settings), earlier);
    QCOMPARE(AdvancedSettingsStore::fromText(earlier), settings);
}

void TestAdvancedSettingsStore::readingIsExact_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<AdvancedSettings>("expected");

    AdvancedSettings rainbow;
    rainbow.gradient = GradientChoice::Rainbow;
    QTest::newRow("malformed section lines") << QByteArray("[General]\ngradient=rainbow\n[\n]\n") << rainbow;
    QTest::newRow("blanks, CR LF, no section") << QByteArray("  gradient =\trainbow \r\n") << rainbow;
    QTest::newRow("last of a key holds") << QByteArray("gradient=stops\ngradient=rainbow\n") << rainbow;
    QTest::newRow("another section's keys")
        << QByteArray("[Other]\ngradient=stops\n[General]\ngradient=rainbow\n") << rainbow;
    QTest::newRow("comments and garbage")
        << QByteArray("; gradient=stops\n\xff\xfe=\x01\ngradient=rainbow\nno equals sign\n=stops\n")
        << rainbow;
    QTest::newRow("a name in the wrong case") << QByteArray("gradient=Rainbow\n") << AdvancedSettings{};
    QTest::newRow("a flag that is no true")
        << QByteArray("merge=1\nreverse=yes\nskipWhitespace=TRUE\n") << AdvancedSettings{};
    QTest::newRow("a list for a name") << QByteArray("gradient=rainbow, stops\n") << AdvancedSettings{};

    AdvancedSettings stops;
    stops.stops = {{ColourTriple{0xAB, 0xCD, 0xEF}, std::nullopt}, {ColourTriple{0, 0, 0}, 0.5}};
    QTest::newRow("either case, blanks around items")
        << QByteArray("stops= #abcdef ,\t#000000@0.5 \n") << stops;
    stops.stops = {{ColourTriple{0xFF, 0xFF, 0xFF}, 100.0}, {ColourTriple{0, 0, 0}, 5.0}};
    QTest::newRow("percent sign, no #") << QByteArray("stops=#FFFFFF@100%, 000000@5\n") << stops;
    AdvancedSettings unit;
    QTest::newRow("unit as earlier versions wrote it") << QByteArray("unit=character\n") << unit;
    unit.options.unit = TextUnit::Grapheme;
    QTest::newRow("grapheme unit") << QByteArray("unit=grapheme\n") << unit;

    // Any stop that the command line would refuse gives the default list, not a shorter one.
    for (const char* bad :
         {"#+FFFFF",       "# FFFFF",      "#0xFFFF",     "#FFFFF",        "#FFFFFFF",      "#FFFFFF@-1",
          "#FFFFFF@100.5", "#FFFFFF@1E+1", "#FFFFFF@5.",  "#GGGGGG",       "#FFFFFF@",      "#FFFFFF@ 5",
          "#FFFFFF@5 %",   "#FFFFFF@inf",  "#FFFFFF@nan", "#FFFFFF@1e999", "#FFFFFF@0x10",  "#FFFFFF@1,5",
          "#FFFFFF@.",     "#FFFFFF@1e",   "#FFFFFF@@1",  "\"#FFFFFF\"",   "#ＦＦＦＦＦＦ", ""}) {
        QTest::addRow("bad stop %s", bad)
            << (QByteArray("gradient=stops\nstops=#000000@0, ") + bad + ", #0000FF\n") << [] {
                   AdvancedSettings settings;
                   settings.gradient = GradientChoice::Stops;
                   return settings;
               }();
    }
    QTest::newRow("no stops") << QByteArray("stops=@Invalid()\n") << AdvancedSettings{};

    // A contrast floor is one of the levels the dialog offers, as they are written.
    for (const double level : kContrastLevels) {
        AdvancedSettings floor;
        floor.options.contrastFloor = ContrastFloor{level, ContrastFloor{}.background};
        QTest::addRow("contrast floor %g", level)
            << (QByteArray("minContrast=") + QByteArray::number(level) + '\n') << floor;
    }
    for (const char* bad : {"5", "4.50", "4.5:1", " ", "", "true", "1e0"})
        QTest::addRow("bad contrast floor \"%s\"", bad)
            << (QByteArray("minContrast=") + bad + '\n') << AdvancedSettings{};
}

void TestAdvancedSettingsStore::readingIsExact()
{
    QFETCH(QByteArray, text);
    QFETCH(AdvancedSettings, expected);
    QCOMPARE(AdvancedSettingsStore::fromText(text), expected);
    QCOMPARE(AdvancedSettingsStore::fromText(AdvancedSettingsStore::toText(expected)), expected);
}

void TestAdvancedSettingsStore::hostileFiles_data()
{
    QTest::addColumn<Saver>("saver");
    // Whether the file size limit is below the new text's size.
    QTest::addColumn<bool>("limited");
    QTest::addColumn<FileSetUp>("setUp");
    QTest::addColumn<bool>("unreadable");
    // The settings read, when the file is readable.
    QTest::addColumn<bool>("readsOld");
    QTest::addColumn<bool>("saved");
    // Whether the file that tells the outcome holds the new text; else it holds its old bytes.
    QTest::addColumn<bool>("holdsNew");
    // Whether that file keeps its inode (written in place, or not at all).
    QTest::addColumn<bool>("sameInode");

    const FileSetUp missing = [](const QString&, const QString& path) { return path; };
    const FileSetUp regular = [](const QString&, const QString& path) {
        return writeBytes(path, kOld) ? path : QString();
    };
    const FileSetUp fifo = [](const QString&, const QString& path) {
        return ::mkfifo(name(path).constData(), 0666) == 0 ? path : QString();
    };
    const FileSetUp folderInstead = [](const QString&, const QString& path) {
        return QDir().mkdir(path) ? path : QString();
    };
    const FileSetUp tooLarge = [](const QString&, const QString& path) {
        // Known keys up front, 1 MB of garbage after them.
        QByteArray text = kOld;
        text += QByteArray(AdvancedSettingsStore::kMaximumFileSize + 1 - text.size(), 'z');
        return writeBytes(path, text) ? path : QString();
    };
    const FileSetUp atTheLimit = [](const QString&, const QString& path) {
        QByteArray text = kOld + "unknown=";
        text += QByteArray(AdvancedSettingsStore::kMaximumFileSize - text.size(), 'z');
        return writeBytes(path, text) ? path : QString();
    };
    const FileSetUp noAccess = [](const QString&, const QString& path) {
        return writeBytes(path, kOld) && ::chmod(name(path).constData(), 0) == 0 ? path : QString();
    };
    const FileSetUp linkToOwnFile = [](const QString& folder, const QString& path) {
        const QString target = folder + u"/../../dotfiles/advanced.ini"_s;
        QDir().mkpath(folder + u"/../../dotfiles"_s);
        return writeBytes(target, kOld) && QFile::link(target, path) ? target : QString();
    };
    const FileSetUp danglingLink = [](const QString& folder, const QString& path) {
        return QFile::link(folder + u"/../../nowhere.ini"_s, path) ? folder + u"/../../nowhere.ini"_s
                                                                   : QString();
    };
    // A copy of the null device in the scratch folder; making one needs root.
    const FileSetUp linkToDevice = [](const QString& folder, const QString& path) {
        const QString device = folder + u"/../../null"_s;
        return ::mknod(name(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                       QFile::link(device, path)
                   ? device
                   : QString();
    };
    // Another user's file that the saver may write: root's for the normal user, nobody's for root.
    const FileSetUp linkToOthersFile = [](const QString& folder, const QString& path) {
        // Outside the folders handed over to the normal user.
        const QString target = folder + u"/../../../others.ini"_s;
        const uid_t other = UnprivilegedUser::isRoot() ? UnprivilegedUser::kId : 0;
        return writeBytes(target, kOld) && ::chown(name(target).constData(), other, other) == 0 &&
                       ::chmod(name(target).constData(), 0666) == 0 && QFile::link(target, path)
                   ? target
                   : QString();
    };
    const FileSetUp hardLinked = [](const QString& folder, const QString& path) {
        const QString other = folder + u"/../../second-name.ini"_s;
        return writeBytes(path, kOld) && ::link(name(path).constData(), name(other).constData()) == 0
                   ? other
                   : QString();
    };
    // A single-file bind mount, as a container volume is; mounting needs root.
    const FileSetUp bindMount = [](const QString& folder, const QString& path) {
        const QString source = folder + u"/../../volume.ini"_s;
        if (!writeBytes(source, kOld) || !writeBytes(path, "mount point") ||
            ::mount(name(source).constData(), name(path).constData(), nullptr, MS_BIND, nullptr) != 0)
            return QString();
        return source;
    };

    for (const Saver saver : {Saver::NormalUser, Saver::Root}) {
        const char* who = saver == Saver::Root ? "root" : "normal user";
        const auto row = [&](const char* name, bool limited = false) -> QTestData& {
            return QTest::addRow("%s, %s", name, who) << saver << limited;
        };
        row("no file") << missing << false << false << true << true << false;
        row("own file") << regular << false << true << true << true << false;
        row("FIFO") << fifo << true << false << false << false << true;
        row("folder") << folderInstead << true << false << false << false << true;
        row("past 1 MB, replaced by the known keys") << tooLarge << true << false << true << true << false;
        row("1 MB, unknown keys dropped") << atTheLimit << false << true << true << true << false;
        row("link to own file, followed") << linkToOwnFile << false << true << true << true << false;
        row("link to nothing") << danglingLink << false << false << false << false << true;
        row("link to a device") << linkToDevice << true << false << false << false << true;
        row("link to another user's file, in place")
            << linkToOthersFile << false << true << true << true << true;
        row("hard links, in place") << hardLinked << false << true << true << true << true;
        row("bind mount, in place") << bindMount << false << true << true << true << true;
        row("own file past the size limit", true) << regular << false << true << false << false << true;
        row("hard links past the size limit", true) << hardLinked << false << true << false << false << true;
    }
    // Root reads any file.
    QTest::newRow("no read permission, normal user")
        << Saver::NormalUser << false << noAccess << true << false << true << true << false;
}

void TestAdvancedSettingsStore::hostileFiles()
{
    QFETCH(Saver, saver);
    QFETCH(FileSetUp, setUp);
    QFETCH(bool, limited);
    QFETCH(bool, unreadable);
    QFETCH(bool, readsOld);
    QFETCH(bool, saved);
    QFETCH(bool, holdsNew);
    QFETCH(bool, sameInode);

    if (saver == Saver::Root && !UnprivilegedUser::isRoot())
        QSKIP("root's case");
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QCOMPARE(::chmod(name(root.path()).constData(), 0755), 0);
    const QString folder = root.filePath(u"home/config/huespan"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + u"/advanced.ini"_s;
    const QString outcomeFile = setUp(folder, path);
    if (outcomeFile.isEmpty())
        QSKIP("this case needs root to set it up");
    const auto unmount = qScopeGuard([&path] { ::umount2(name(path).constData(), MNT_DETACH); });
    if (saver == Saver::NormalUser)
        UnprivilegedUser::handOver(root.path() + u"/home"_s);
    const QByteArray before = fileBytes(outcomeFile);
    const struct stat beforeStatus = statusOf(outcomeFile);
    const mode_t pathType = statusOf(path).st_mode & S_IFMT;
    const QStringList entriesBefore = entries(folder);

    AdvancedSettingsStore::Loaded loaded;
    bool wasSaved = false;
    {
        // Beyond the limit a write fails with EFBIG once the signal is ignored, as the program does.
        rlimit original{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &original), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{128, original.rlim_max};
        std::optional<UnprivilegedUser> user;
        if (saver == Saver::NormalUser)
            user.emplace();
        loaded = AdvancedSettingsStore::load(path);
        if (limited)
            ::setrlimit(RLIMIT_FSIZE, &small);
        wasSaved = AdvancedSettingsStore::save(path, everythingChanged());
        ::setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, previousHandler);
    }

    QCOMPARE(loaded.unreadable, unreadable);
    QCOMPARE(loaded.settings, readsOld ? AdvancedSettingsStore::fromText(kOld) : AdvancedSettings{});
    QCOMPARE(wasSaved, saved);
    const struct stat after = statusOf(outcomeFile);
    QCOMPARE(fileBytes(outcomeFile), holdsNew ? AdvancedSettingsStore::toText(everythingChanged()) : before);
    if (beforeStatus.st_mode != 0) {
        QCOMPARE(after.st_mode & S_IFMT, beforeStatus.st_mode & S_IFMT);
        QCOMPARE(statusOf(path).st_mode & S_IFMT, pathType);
    }
    if (sameInode) {
        QCOMPARE(after.st_ino, beforeStatus.st_ino);
        QCOMPARE(after.st_uid, beforeStatus.st_uid);
    }
    // Nothing beside the file: no temporary file, no lock file.
    QStringList expectedEntries = entriesBefore;
    if (expectedEntries.isEmpty() && saved)
        expectedEntries = {u"advanced.ini"_s};
    QCOMPARE(entries(folder), expectedEntries);
    // Every saved file reads back as what was saved.
    if (saved)
        QCOMPARE(AdvancedSettingsStore::load(path).settings, everythingChanged());
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestAdvancedSettingsStore)
#include "TestAdvancedSettingsStore.moc"
