#include "GradientPresets.h"
#include "Module1.h"
#include "RecordingHost.h"
#include "SettingNames.h"
#include "SmallDisk.h"
#include "UnitColours.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "advanced/AdvancedSettingsDialog.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/AdvancedSettingsStore.h"
#include "ui/ColourStrip.h"
#include "ui/MessageBox.h"
#include "ui/ProgramLook.h"
#include "ui/StopListModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;

namespace huespan {

using DialogAction = std::function<void(AdvancedSettingsDialog&)>;
// Puts something in place of the settings file; false when the case cannot be set up here.
using SettingsFileSetUp = std::function<bool(const QString& path)>;
using MainWindowAction = std::function<void()>;

// What keeps the settings file from being written.
enum class SettingsObstacle
{
    FileForFolder,
    FullDisk,
};

} // namespace huespan

// Declared before the data tables first store them.
Q_DECLARE_METATYPE(huespan::DialogAction)
Q_DECLARE_METATYPE(std::function<bool(huespan::AdvancedSettingsDialog&)>)
Q_DECLARE_METATYPE(huespan::MainWindowAction)
Q_DECLARE_METATYPE(huespan::ExtendedSettings)
Q_DECLARE_METATYPE(huespan::SettingsObstacle)
Q_DECLARE_METATYPE(huespan::SettingsFileSetUp)

namespace huespan {

class TestAdvancedSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void eachControlReachesTheRun_data();
    void eachControlReachesTheRun();
    void defaultsLeaveThePlainResult();
    void conflictsAreNamedAndRefused_data();
    void conflictsAreNamedAndRefused();
    void runRefusesAConflictMadeInTheMainWindow();
    void cancelAndCloseBoxKeepTheOldSettings_data();
    void cancelAndCloseBoxKeepTheOldSettings();
    void settingsSurviveARestart();
    void unreadableStoredValuesFallBackToDefaults();
    void settingsFileInPlaceOfTheFile_data();
    void settingsFileInPlaceOfTheFile();
    void settingsThatCannotBeKeptAreSaidSo_data();
    void settingsThatCannotBeKeptAreSaidSo();
    void accessKeysReachTheirControls_data();
    void accessKeysReachTheirControls();
    void altSOpensTheDialog();
    void tabOrderFollowsTheControls();
    void stopListEditing();
    void typedStopTextIsCheckedInPlace_data();
    void typedStopTextIsCheckedInPlace();
    void stopButtonsActOnlyWhereTheyCan();
    void rulesOfTheDialogHold_data();
    void rulesOfTheDialogHold();
    void stripPaintsTheRunColours();
    void abortDuringAnExtendedRun();
    void previewRefusedForBoardAndTerminal_data();
    void previewRefusedForBoardAndTerminal();

private:
    // Opens the dialog from the menu, lets action play the user and closes it with OK; returns the
    // texts of the message boxes shown meanwhile.
    static QStringList useDialog(const DialogAction& action, bool ok = true);
    static QString runAndTakeResult();
};

namespace {

const QString kText = u"Huespan は 👨‍👩‍👧 e\u0301 です"_s;

GradientSettings mainWindowSettings()
{
    GradientSettings settings;
    settings.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    return settings;
}

void setMainColours()
{
    const GradientSettings settings = mainWindowSettings();
    for (qsizetype index = 0; index < 6; ++index)
        form1().TextC.at(index)->setText(settings.componentTexts[static_cast<size_t>(index)]);
}

ExtendedSettings withStops(std::vector<ColourStop> stops)
{
    ExtendedSettings extended;
    extended.stops = std::move(stops);
    return extended;
}

void selectCell(QTableView* list, int row, int column)
{
    list->setCurrentIndex(list->model()->index(row, column));
}

QString cellText(AdvancedSettingsDialog& dialog, int row, int column)
{
    return dialog.stopModel->index(row, column).data().toString();
}

// What the list's editor gives the model when the user types text and presses Enter.
void typeInto(AdvancedSettingsDialog& dialog, int row, int column, const QString& text)
{
    dialog.stopModel->setData(dialog.stopModel->index(row, column), text, Qt::EditRole);
}

} // namespace

void TestAdvancedSettings::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    applyProgramLook(*qApp);
}

void TestAdvancedSettings::init()
{
    QFile::remove(AdvancedSettingsStore::filePath());
    unloadAllWindows();
    form1().show();
    QVERIFY(QTest::qWaitForWindowActive(&form1()));
    setMainColours();
    form1().Text1->setText(kText);
}

void TestAdvancedSettings::cleanup()
{
    unloadAllWindows();
    QFile::remove(AdvancedSettingsStore::filePath());
}

QStringList TestAdvancedSettings::useDialog(const DialogAction& action, bool ok)
{
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    bool seen = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<AdvancedSettingsDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        seen = true;
        action(*dialog);
        if (ok)
            dialog->okButton->click();
        // A refused OK leaves the dialog open: the test ends it.
        if (dialog->isVisible())
            dialog->cancelButton->click();
    });
    form1().advancedSettingsAction->trigger();
    if (!seen)
        return {u"no dialog"_s};
    return recorder.texts();
}

QString TestAdvancedSettings::runAndTakeResult()
{
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    form1().Command1->click();
    if (!recorder.messages().isEmpty() || !SingleInstance<Form2>::isLoaded())
        return u"refused: "_s + recorder.texts().join(u'|');
    const QString result = form2().text();
    form2().close();
    return result;
}

void TestAdvancedSettings::eachControlReachesTheRun_data()
{
    QTest::addColumn<DialogAction>("action");
    QTest::addColumn<ExtendedSettings>("expected");
    // Whether the result differs from the plain one for the table's text: a list begun from the
    // main colours must not, and a text box holds no line breaks.
    QTest::addColumn<bool>("differs");

    ExtendedSettings expected;
    expected.space = ColourSpace::Oklch;
    QTest::newRow("OKLCH") << DialogAction([](AdvancedSettingsDialog& d) { d.spaceList->setCurrentIndex(3); })
                           << expected << true;
    expected.hue = HueInterpolation::Longer;
    QTest::newRow("OKLCH, longer hue") << DialogAction([](AdvancedSettingsDialog& d) {
        d.spaceList->setCurrentIndex(3);
        d.hueList->setCurrentIndex(1);
    }) << expected << true;
    expected = {};
    expected.space = ColourSpace::LinearSrgb;
    QTest::newRow("linear sRGB") << DialogAction([](AdvancedSettingsDialog& d) {
        d.spaceList->setCurrentIndex(1);
    }) << expected << true;
    expected = {};
    expected.space = ColourSpace::Hsl;
    expected.hue = HueInterpolation::Decreasing;
    QTest::newRow("HSL, decreasing") << DialogAction([](AdvancedSettingsDialog& d) {
        d.spaceList->setCurrentIndex(4);
        d.hueList->setCurrentIndex(3);
    }) << expected << true;
    expected = {};
    expected.unit = TextUnit::Grapheme;
    QTest::newRow("graphemes") << DialogAction([](AdvancedSettingsDialog& d) {
        d.unitList->setCurrentIndex(1);
    }) << expected << true;
    const std::array formats{OutputFormat::Span, OutputFormat::Bbcode, OutputFormat::Ansi, OutputFormat::Css};
    for (const OutputFormat format : formats) {
        expected = {};
        expected.format = format;
        QTest::addRow("format %d", static_cast<int>(format))
            << DialogAction([format](AdvancedSettingsDialog& d) {
                   d.formatList->setCurrentIndex(static_cast<int>(format));
               })
            << expected << true;
    }
    expected = {};
    expected.merge = true;
    QTest::newRow("merge") << DialogAction([](AdvancedSettingsDialog& d) { d.mergeCheck->click(); })
                           << expected << true;
    expected = {};
    expected.skipWhitespace = true;
    QTest::newRow("white space") << DialogAction([](AdvancedSettingsDialog& d) {
        d.skipWhitespaceCheck->click();
    }) << expected << true;
    expected = {};
    expected.keepLineBreaks = true;
    QTest::newRow("line breaks") << DialogAction([](AdvancedSettingsDialog& d) {
        d.keepLineBreaksCheck->click();
    }) << expected << false;
    // The floor keeps the text readable on the preview's background, black until it is changed.
    expected = {};
    expected.contrastFloor = ContrastFloor{7.0, ColourTriple{0, 0, 0}};
    QTest::newRow("contrast floor 7:1") << DialogAction([](AdvancedSettingsDialog& d) {
        d.contrastFloorCheck->click();
        d.contrastFloorList->setCurrentIndex(2);
    }) << expected << true;
    expected = {};
    expected.reverse = true;
    QTest::newRow("reverse") << DialogAction([](AdvancedSettingsDialog& d) { d.reverseCheck->click(); })
                             << expected << true;

    const GradientPreset rainbow = rainbowGradient();
    expected = withStops(rainbow.stops);
    expected.space = rainbow.space;
    expected.hue = rainbow.hue;
    QTest::newRow("rainbow, whatever the space list says") << DialogAction([](AdvancedSettingsDialog& d) {
        d.spaceList->setCurrentIndex(2);
        d.rainbowOption->click();
    }) << expected << true;

    // Choosing the list begins it with the main window's colours at both ends.
    expected = withStops({{ColourTriple{255, 0, 0}, 0.0}, {ColourTriple{0, 0, 255}, 100.0}});
    QTest::newRow("stops begun from the main colours")
        << DialogAction([](AdvancedSettingsDialog& d) { d.stopsOption->click(); }) << expected << false;
    expected = withStops({{ColourTriple{255, 0, 0}, 0.0},
                          {ColourTriple{0, 0x80, 0}, std::nullopt},
                          {ColourTriple{0, 0, 255}, 100.0}});
    QTest::newRow("a stop added and recoloured") << DialogAction([](AdvancedSettingsDialog& d) {
        d.stopsOption->click();
        selectCell(d.stopList, 0, 1);
        d.addStopButton->click();
        typeInto(d, 1, 1, u"#008000"_s);
    }) << expected << true;

    const GradientPreset& preset = gradientPresets().at(2);
    expected = withStops(preset.stops);
    expected.space = preset.space;
    expected.hue = preset.hue;
    QTest::newRow("preset") << DialogAction([](AdvancedSettingsDialog& d) {
        d.presetList->setCurrentIndex(3);
        emit d.presetList->activated(3);
    }) << expected << true;
}

void TestAdvancedSettings::eachControlReachesTheRun()
{
    QFETCH(DialogAction, action);
    QFETCH(ExtendedSettings, expected);
    QFETCH(bool, differs);

    // Long enough that neighbouring characters share colours, which merging joins.
    const QString text = kText + QString(300, u'x');
    form1().Text1->setText(text);
    QCOMPARE(useDialog(action), QStringList());
    QCOMPARE(form1().advancedSettingsAction->text(), u"詳細設定(&S)*"_s);

    GradientSettings settings = mainWindowSettings();
    settings.extended = expected;
    const QString wanted = RecordingHost::markupFor(settings, text);
    QVERIFY(!wanted.isEmpty());
    QCOMPARE(runAndTakeResult(), wanted);
    QCOMPARE(wanted != RecordingHost::markupFor(mainWindowSettings(), text), differs);
}

void TestAdvancedSettings::defaultsLeaveThePlainResult()
{
    const QString plain = RecordingHost::markupFor(mainWindowSettings(), kText);
    QCOMPARE(form1().advancedSettingsAction->text(), u"詳細設定(&S)"_s);
    QCOMPARE(runAndTakeResult(), plain);

    // Settings changed and put back by 既定に戻す, and a list chosen but left empty of changes.
    QCOMPARE(useDialog([](AdvancedSettingsDialog& d) {
                 d.formatList->setCurrentIndex(3);
                 d.mergeCheck->click();
                 d.rainbowOption->click();
                 d.defaultsButton->click();
             }),
             QStringList());
    QCOMPARE(form1().advancedSettingsAction->text(), u"詳細設定(&S)"_s);
    QCOMPARE(runAndTakeResult(), plain);
}

void TestAdvancedSettings::conflictsAreNamedAndRefused_data()
{
    QTest::addColumn<MainWindowAction>("mainWindow");
    QTest::addColumn<int>("format");
    QTest::addColumn<QStringList>("named");

    const MainWindowAction heading = [] {
        form1().Option2->click();
        form1().Combo2->setCurrentText(u"H2"_s);
    };
    const MainWindowAction size = [] { form1().Combo1->setCurrentText(u"3"_s); };
    const MainWindowAction breaks = [] { form1().Check5->setChecked(true); };
    QTest::newRow("heading, BBCode") << heading << 2 << QStringList{u"見出し"_s};
    QTest::newRow("heading, ANSI") << heading << 3 << QStringList{u"見出し"_s};
    QTest::newRow("size, ANSI") << size << 3 << QStringList{u"大きさ"_s};
    QTest::newRow("line breaks, BBCode") << breaks << 2 << QStringList{u"改行"_s};
    QTest::newRow("line breaks, ANSI") << breaks << 3 << QStringList{u"改行"_s};
    // Every conflict at once, one to a line.
    QTest::newRow("size and line breaks, ANSI") << MainWindowAction([=] {
        size();
        breaks();
    }) << 3 << QStringList{u"大きさ"_s, u"改行"_s};
}

void TestAdvancedSettings::conflictsAreNamedAndRefused()
{
    QFETCH(MainWindowAction, mainWindow);
    QFETCH(int, format);
    QFETCH(QStringList, named);

    mainWindow();
    QString note;
    const QStringList messages = useDialog([&](AdvancedSettingsDialog& d) {
        d.formatList->setCurrentIndex(format);
        note = d.conflictLabel->text();
    });
    const QStringList lines = note.split(u'\n');
    QCOMPARE(lines.size(), named.size());
    for (qsizetype index = 0; index < named.size(); ++index)
        QVERIFY2(lines.at(index).contains(named.at(index)), qPrintable(note));
    QCOMPARE(messages, QStringList{note});
    // Refused: the settings stay as they were.
    QCOMPARE(form1().advancedSettingsAction->text(), u"詳細設定(&S)"_s);
    QCOMPARE(form1().advancedSettings(), AdvancedSettings{});

    // The size or heading alone is fine for the HTML formats: no note.
    QCOMPARE(useDialog([&](AdvancedSettingsDialog& d) {
                 d.formatList->setCurrentIndex(1);
                 note = d.conflictLabel->text();
             }),
             QStringList());
    QCOMPARE(note, QString());
}

void TestAdvancedSettings::runRefusesAConflictMadeInTheMainWindow()
{
    QCOMPARE(useDialog([](AdvancedSettingsDialog& d) { d.formatList->setCurrentIndex(2); }), QStringList());
    form1().Option2->click();
    form1().Combo2->setCurrentText(u"H1"_s);
    module1().ResultHtml = u"earlier"_s;

    const QString outcome = runAndTakeResult();
    QVERIFY2(outcome.startsWith(u"refused: BBCode"_s), qPrintable(outcome));
    QVERIFY(form1().isEnabled());
    QVERIFY(!SingleInstance<Form4>::isLoaded());
    QCOMPARE(module1().ResultHtml, u"earlier"_s);
}

void TestAdvancedSettings::cancelAndCloseBoxKeepTheOldSettings_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("キャンセル") << false;
    QTest::newRow("close box") << true;
}

void TestAdvancedSettings::cancelAndCloseBoxKeepTheOldSettings()
{
    QFETCH(bool, closeBox);

    QCOMPARE(useDialog([](AdvancedSettingsDialog& d) { d.reverseCheck->click(); }), QStringList());
    const AdvancedSettings before = form1().advancedSettings();
    QVERIFY(before.options.reverse);
    QCOMPARE(useDialog(
                 [closeBox](AdvancedSettingsDialog& d) {
                     d.reverseCheck->click();
                     d.formatList->setCurrentIndex(1);
                     if (closeBox)
                         d.close();
                     else
                         d.cancelButton->click();
                 },
                 false),
             QStringList());
    QCOMPARE(form1().advancedSettings(), before);
    QCOMPARE(AdvancedSettingsStore::load().settings, before);
}

void TestAdvancedSettings::settingsSurviveARestart()
{
    QCOMPARE(useDialog([](AdvancedSettingsDialog& d) {
                 d.stopsOption->click();
                 selectCell(d.stopList, 0, 2);
                 typeInto(d, 0, 2, u"12.5"_s);
                 d.spaceList->setCurrentIndex(4);
                 d.hueList->setCurrentIndex(2);
                 d.unitList->setCurrentIndex(1);
                 d.formatList->setCurrentIndex(4);
                 d.mergeCheck->click();
                 d.skipWhitespaceCheck->click();
                 d.keepLineBreaksCheck->click();
                 d.reverseCheck->click();
             }),
             QStringList());
    const AdvancedSettings chosen = form1().advancedSettings();
    QCOMPARE(chosen.stops.front().position, std::optional<double>(12.5));

    unloadAllWindows();
    form1().show();
    QCOMPARE(form1().advancedSettings(), chosen);
    QCOMPARE(form1().advancedSettingsAction->text(), u"詳細設定(&S)*"_s);
    // Nothing of the main window is kept.
    QCOMPARE(form1().Text1->text(), QString());
}

void TestAdvancedSettings::unreadableStoredValuesFallBackToDefaults()
{
    {
        QSettings file(AdvancedSettingsStore::filePath(), QSettings::IniFormat);
        file.setValue(u"gradient"_s, u"sideways"_s);
        file.setValue(u"space"_s, u"oklch"_s);
        file.setValue(u"format"_s, 7);
        file.setValue(u"merge"_s, u"perhaps"_s);
        file.setValue(u"stops"_s, QStringList{u"#00FF00@250"_s, u"#0000FF"_s});
    }
    const AdvancedSettings read = AdvancedSettingsStore::load().settings;
    QCOMPARE(read.gradient, GradientChoice::TwoColours);
    QCOMPARE(read.options.space, ColourSpace::Oklch);
    QCOMPARE(read.options.format, OutputFormat::Font);
    QVERIFY(!read.options.merge);
    // A position out of range is refused, as on the command line, and the list with it.
    QVERIFY(read.stops.empty());
}

void TestAdvancedSettings::settingsFileInPlaceOfTheFile_data()
{
    QTest::addColumn<SettingsFileSetUp>("setUp");
    // The file size limit while OK saves, in bytes; 0 for none.
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<bool>("loadMessage");
    QTest::addColumn<bool>("saveMessage");
    // Whether the file then holds what was saved.
    QTest::addColumn<bool>("saved");

    const auto bytes = [](QByteArray text) {
        return SettingsFileSetUp([text](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
        });
    };
    QTest::newRow("FIFO") << SettingsFileSetUp([](const QString& path) {
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    }) << 0 << true << true
                          << false;
    QTest::newRow("malformed lines") << bytes("[General]\ngradient=rainbow\n[\n]\n") << 0 << false << false
                                     << true;
    QTest::newRow("2 MB of garbage") << bytes(QByteArray(2 << 20, 'x')) << 0 << true << false << true;
    QTest::newRow("link to a device") << SettingsFileSetUp([](const QString& path) {
        const QString device = path + u".device"_s;
        return ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
               QFile::link(device, path);
    }) << 0 << true << true << false;
    QTest::newRow("file size limit") << bytes("[General]\nmerge=true\n") << 64 << false << true << false;
}

// Whatever stands in the settings file's place, the window opens with at most one message, and
// saving is said to fail exactly when it failed.
void TestAdvancedSettings::settingsFileInPlaceOfTheFile()
{
    QFETCH(SettingsFileSetUp, setUp);
    QFETCH(int, sizeLimit);
    QFETCH(bool, loadMessage);
    QFETCH(bool, saveMessage);
    QFETCH(bool, saved);

    unloadAllWindows();
    const QString path = AdvancedSettingsStore::filePath();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    const auto removeDevice = qScopeGuard([&path] { QFile::remove(path + u".device"_s); });
    if (!setUp(path))
        QSKIP("this case needs root to set it up");
    const QFileInfo before(path);
    QByteArray oldBytes;
    if (before.isFile() && !before.isSymLink()) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        oldBytes = old.readAll();
    }

    QStringList opening;
    {
        MessageBoxRecorder recorder(MessageBox::Answer::Ok);
        form1().show();
        opening = recorder.texts();
    }
    QCOMPARE(opening.size(), loadMessage ? 1 : 0);
    if (loadMessage)
        QVERIFY(opening.first().contains(u"読み込めませんでした"_s));
    else
        QVERIFY(form1().advancedSettings() != AdvancedSettings{});

    // As the program does: past the limit a write fails instead of ending the process.
    rlimit original{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &original), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (sizeLimit > 0) {
        const rlimit small{rlim_t(sizeLimit), original.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    const QStringList messages = useDialog([](AdvancedSettingsDialog& d) { d.reverseCheck->click(); });
    ::setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(messages.size(), saveMessage ? 1 : 0);
    if (saveMessage)
        QVERIFY(messages.first().contains(u"保存できませんでした"_s));
    QVERIFY(form1().advancedSettings().options.reverse);
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isFile(), before.isFile() || saved);
    if (after.isFile() && !after.isSymLink()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 saved ? AdvancedSettingsStore::toText(form1().advancedSettings()) : oldBytes);
    }
    // Nothing beside it: no lock file, no temporary file.
    QStringList expected{u"advanced.ini"_s};
    if (QFile::exists(path + u".device"_s))
        expected.append(u"advanced.ini.device"_s);
    QCOMPARE(QDir(QFileInfo(path).absolutePath())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             expected);
}

void TestAdvancedSettings::settingsThatCannotBeKeptAreSaidSo_data()
{
    QTest::addColumn<SettingsObstacle>("obstacle");
    QTest::newRow("a file where the folder should be") << SettingsObstacle::FileForFolder;
    QTest::newRow("a full disk") << SettingsObstacle::FullDisk;
}

void TestAdvancedSettings::settingsThatCannotBeKeptAreSaidSo()
{
    QFETCH(SettingsObstacle, obstacle);
    const QString path = AdvancedSettingsStore::filePath();
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).removeRecursively();
    const auto removeObstacle = qScopeGuard([&folder] { QFile::remove(folder); });

    std::optional<SmallDisk> disk;
    const QByteArray kept = "[General]\nmerge=true\n";
    if (obstacle == SettingsObstacle::FileForFolder) {
        // No user, root included, can make a file inside a file.
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(folder));
        disk.emplace(folder, 16);
        if (!disk->isMounted())
            QSKIP("a full disk needs a small tmpfs, and mounting one needs root");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write(kept), kept.size());
        old.close();
        QFile filler(folder + u"/filler"_s);
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

    const QStringList messages = useDialog([](AdvancedSettingsDialog& d) { d.reverseCheck->click(); });
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains(u"保存できませんでした"_s));
    // In force for this run, with the mark that says so.
    QVERIFY(form1().advancedSettings().options.reverse);
    QCOMPARE(form1().advancedSettingsAction->text(), u"詳細設定(&S)*"_s);

    // The next start finds what was kept before, whole, and nothing half written beside it.
    if (disk) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), kept);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"advanced.ini"_s, u"filler"_s}));
    } else {
        QVERIFY(QFileInfo(folder).isFile());
    }

    // With the obstacle gone the settings are kept again; this also leaves none of this run's
    // unsaved values in the program's memory of the file for the next test.
    disk.reset();
    QFile::remove(folder);
    QVERIFY(AdvancedSettingsStore::save(AdvancedSettings{}));
}

void TestAdvancedSettings::accessKeysReachTheirControls_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("control");

    QTest::newRow("G") << int(Qt::Key_G) << u"twoColoursOption"_s;
    QTest::newRow("C") << int(Qt::Key_C) << u"spaceList"_s;
    QTest::newRow("H") << int(Qt::Key_H) << u"hueList"_s;
    QTest::newRow("U") << int(Qt::Key_U) << u"unitList"_s;
    QTest::newRow("F") << int(Qt::Key_F) << u"formatList"_s;
    QTest::newRow("M") << int(Qt::Key_M) << u"mergeCheck"_s;
    QTest::newRow("W") << int(Qt::Key_W) << u"skipWhitespaceCheck"_s;
    QTest::newRow("L") << int(Qt::Key_L) << u"keepLineBreaksCheck"_s;
    QTest::newRow("R") << int(Qt::Key_R) << u"reverseCheck"_s;
    QTest::newRow("K") << int(Qt::Key_K) << u"contrastFloorCheck"_s;
    QTest::newRow("D") << int(Qt::Key_D) << u"defaultsButton"_s;
}

void TestAdvancedSettings::accessKeysReachTheirControls()
{
    QFETCH(int, key);
    QFETCH(QString, control);

    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), QString());
    dialog.spaceList->setCurrentIndex(3); // OKLCH, so that the hue list takes the focus
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.okButton->setFocus();
    QTest::keyClick(&dialog, static_cast<Qt::Key>(key), Qt::AltModifier);

    if (control.endsWith(u"Check"_s)) {
        const auto* target = control == u"mergeCheck"_s            ? dialog.mergeCheck
                             : control == u"skipWhitespaceCheck"_s ? dialog.skipWhitespaceCheck
                             : control == u"keepLineBreaksCheck"_s ? dialog.keepLineBreaksCheck
                             : control == u"reverseCheck"_s        ? dialog.reverseCheck
                                                                   : dialog.contrastFloorCheck;
        // An access key clicks its button as a mouse would, after the button has shown itself pressed.
        QTRY_VERIFY(target->isChecked());
        return;
    }
    if (control == u"defaultsButton"_s) {
        QTRY_COMPARE(dialog.spaceList->currentIndex(), 0);
        return;
    }
    const QMap<QString, QWidget*> targets{{u"twoColoursOption"_s, dialog.twoColoursOption},
                                          {u"spaceList"_s, dialog.spaceList},
                                          {u"hueList"_s, dialog.hueList},
                                          {u"unitList"_s, dialog.unitList},
                                          {u"formatList"_s, dialog.formatList}};
    QCOMPARE(QApplication::focusWidget(), targets.value(control));
}

void TestAdvancedSettings::altSOpensTheDialog()
{
    bool opened = false;
    QString title;
    QTimer::singleShot(0, qApp, [&] {
        if (auto* dialog = qobject_cast<AdvancedSettingsDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    QTest::keyClick(&form1(), Qt::Key_S, Qt::AltModifier);
    QVERIFY(opened);
    QCOMPARE(title, u"詳細設定"_s);
}

void TestAdvancedSettings::tabOrderFollowsTheControls()
{
    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), QString());
    dialog.stopsOption->setChecked(true);
    // A middle stop selected, so that every stop button can act.
    dialog.addStopButton->click();
    selectCell(dialog.stopList, 1, 1);
    dialog.spaceList->setCurrentIndex(3);
    dialog.contrastFloorCheck->setChecked(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QList<QWidget*> chain{dialog.stopsOption,
                                dialog.stopList,
                                dialog.addStopButton,
                                dialog.removeStopButton,
                                dialog.moveStopUpButton,
                                dialog.moveStopDownButton,
                                dialog.presetList,
                                dialog.spaceList,
                                dialog.hueList,
                                dialog.unitList,
                                dialog.formatList,
                                dialog.mergeCheck,
                                dialog.skipWhitespaceCheck,
                                dialog.keepLineBreaksCheck,
                                dialog.reverseCheck,
                                dialog.contrastFloorCheck,
                                dialog.contrastFloorList,
                                dialog.defaultsButton,
                                dialog.okButton,
                                dialog.cancelButton};
    dialog.stopsOption->setFocus();
    for (qsizetype index = 1; index < chain.size(); ++index) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), chain.at(index));
    }
}

// Step by step down to an empty list: each button is enabled only where it can act on the
// selected stop, and a list of fewer than two stops is named and refused, an empty one too.
void TestAdvancedSettings::stopButtonsActOnlyWhereTheyCan()
{
    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), QString());
    dialog.stopsOption->click();
    struct Step
    {
        const char* name;
        std::function<void()> act;
        int rows;
        bool remove;
        bool up;
        bool down;
        bool refused;
    };
    const Step steps[] = {
        {"begun, none selected", [] {}, 2, false, false, false, false},
        {"first selected", [&] { selectCell(dialog.stopList, 0, 1); }, 2, true, false, true, false},
        {"last selected", [&] { selectCell(dialog.stopList, 1, 1); }, 2, true, true, false, false},
        {"one added after the last", [&] { dialog.addStopButton->click(); }, 3, true, true, false, false},
        {"middle selected", [&] { selectCell(dialog.stopList, 1, 1); }, 3, true, true, true, false},
        {"middle removed", [&] { selectCell(dialog.stopList, 1, 1), dialog.removeStopButton->click(); }, 2,
         true, true, false, false},
        {"down to one", [&] { dialog.removeStopButton->click(); }, 1, true, false, false, true},
        {"down to none", [&] { dialog.removeStopButton->click(); }, 0, false, false, false, true},
    };
    const QString refusal = u"色の並びには2つ以上の色が必要です。"_s;
    for (const Step& step : steps) {
        step.act();
        const QByteArray where = step.name;
        QVERIFY2(dialog.stopModel->rowCount() == step.rows, where);
        QVERIFY2(dialog.addStopButton->isEnabled(), where);
        QVERIFY2(dialog.removeStopButton->isEnabled() == step.remove, where);
        QVERIFY2(dialog.moveStopUpButton->isEnabled() == step.up, where);
        QVERIFY2(dialog.moveStopDownButton->isEnabled() == step.down, where);
        QVERIFY2((dialog.conflictLabel->text() == refusal) == step.refused, where);
        MessageBoxRecorder recorder(MessageBox::Answer::Ok);
        dialog.okButton->click();
        QVERIFY2(recorder.texts() == (step.refused ? QStringList{refusal} : QStringList{}), where);
        if (!step.refused) {
            // Accepted: open again for the next step.
            QVERIFY2(dialog.result() == QDialog::Accepted, where);
            dialog.setResult(0);
        }
    }
    // 生成！ refuses an empty list kept from before as it refuses a single stop.
    AdvancedSettings kept;
    kept.gradient = GradientChoice::Stops;
    form1().setAdvancedSettings(kept);
    QCOMPARE(runAndTakeResult(), u"refused: "_s + refusal);
}

using DialogCheck = std::function<bool(AdvancedSettingsDialog&)>;

void TestAdvancedSettings::rulesOfTheDialogHold_data()
{
    QTest::addColumn<DialogAction>("act");
    QTest::addColumn<DialogCheck>("holds");
    const auto colourCell = [](AdvancedSettingsDialog& d, int row) { return cellText(d, row, 1); };
    const auto positionCell = [](AdvancedSettingsDialog& d, int row) { return cellText(d, row, 2); };
    const auto typing = [](int row, int column, QString text) {
        return [=](AdvancedSettingsDialog& d) {
            d.stopsOption->click();
            typeInto(d, row, column, text);
        };
    };

    // A stop is read as the command line reads one; what does not read is put back.
    QTest::newRow("three hex digits put back")
        << DialogAction(typing(0, 1, u"#F00"_s))
        << DialogCheck([=](auto& d) { return colourCell(d, 0) == u"#FF0000"_s; });
    QTest::newRow("R,G,B read") << DialogAction(typing(0, 1, u"0,128,255"_s))
                                << DialogCheck([=](auto& d) { return colourCell(d, 0) == u"#0080FF"_s; });
    QTest::newRow("component over 255 put back")
        << DialogAction(typing(0, 1, u"0,128,256"_s))
        << DialogCheck([=](auto& d) { return colourCell(d, 0) == u"#FF0000"_s; });
    QTest::newRow("position below 0 put back")
        << DialogAction(typing(1, 2, u"-5"_s))
        << DialogCheck([=](auto& d) { return positionCell(d, 1) == u"100"_s; });
    QTest::newRow("position with %") << DialogAction(typing(1, 2, u"12.5%"_s))
                                     << DialogCheck([=](auto& d) { return positionCell(d, 1) == u"12.5"_s; });
    QTest::newRow("empty position placed by the rules")
        << DialogAction(typing(1, 2, QString()))
        << DialogCheck([=](auto& d) { return positionCell(d, 1).isEmpty(); });
    // A list is begun from the main window's colours.
    QTest::newRow("list begun from the main colours")
        << DialogAction([](auto& d) { d.stopsOption->click(); }) << DialogCheck([](auto& d) {
               return d.settings().stops == std::vector<ColourStop>{{{255, 0, 0}, 0.0}, {{0, 0, 255}, 100.0}};
           });
    // 追加 leaves the gradient as it was (to the rounding of the new stop's colour): halfway between
    // the selected stop and the next, in position and colour, or the last once more at the end.
    const auto adding = [](ColourSpace space, int selected) {
        return DialogAction([=](AdvancedSettingsDialog& d) {
            d.spaceList->setCurrentIndex(d.spaceList->findText(captionOf(space)));
            d.stopsOption->click();
            typeInto(d, 1, 2, QString());
            selectCell(d.stopList, selected, 1);
            d.addStopButton->click();
        });
    };
    const auto gradientKept = [](int added, std::optional<double> position) {
        return DialogCheck([=](AdvancedSettingsDialog& d) {
            GradientSettings combined = mainWindowSettings();
            combined.extended = d.settings().extended();
            const std::vector<ColourStop> stops = combined.extended.stops;
            GradientSettings before = combined;
            before.extended.stops.erase(before.extended.stops.begin() + added);
            for (int n = 2; n <= 41; ++n) {
                const auto now = UnitColours::schedule(combined, n);
                const auto then = UnitColours::schedule(before, n);
                for (int i = 0; i < n; ++i) {
                    const auto [a, b] = std::pair{now[static_cast<size_t>(i)], then[static_cast<size_t>(i)]};
                    if (std::abs(a.red - b.red) > 1 || std::abs(a.green - b.green) > 1 ||
                        std::abs(a.blue - b.blue) > 1)
                        return false;
                }
            }
            return stops.size() == 3 && stops[static_cast<size_t>(added)].position == position &&
                   d.stopList->currentIndex().row() == added;
        });
    };
    QTest::newRow("new stop halfway, srgb") << adding(ColourSpace::Srgb, 0) << gradientKept(1, 50.0);
    QTest::newRow("new stop halfway, linear-srgb")
        << adding(ColourSpace::LinearSrgb, 0) << gradientKept(1, 50.0);
    QTest::newRow("new stop at the end") << adding(ColourSpace::Oklch, 1) << gradientKept(2, 100.0);
    QTest::newRow("new stop into an empty list") << DialogAction([](auto& d) {
        d.stopsOption->click();
        selectCell(d.stopList, 0, 1);
        d.removeStopButton->click();
        d.removeStopButton->click();
        d.addStopButton->click();
    }) << DialogCheck([](auto& d) {
        return d.settings().stops == std::vector<ColourStop>{{{255, 0, 0}, std::nullopt}};
    });
    // An edited list is no longer the preset it came from.
    QTest::newRow("preset box back to its placeholder") << DialogAction([](auto& d) {
        d.presetList->setCurrentIndex(1);
        emit d.presetList->activated(1);
        typeInto(d, 0, 1, u"#010203"_s);
    }) << DialogCheck([](auto& d) {
        return d.presetList->currentIndex() == 0 && d.stopsOption->isChecked();
    });
    QTest::newRow("preset box keeps a preset") << DialogAction([](auto& d) {
        d.presetList->setCurrentIndex(2);
        emit d.presetList->activated(2);
    }) << DialogCheck([](auto& d) {
        return d.presetList->currentIndex() == 2 && d.settings().stops == gradientPresets()[1].stops;
    });
    // The rainbow runs round the hue circle in HSL whatever the lists say.
    QTest::newRow("rainbow greys space and hue") << DialogAction([](auto& d) {
        d.spaceList->setCurrentIndex(d.spaceList->findText(captionOf(ColourSpace::Oklch)));
        d.rainbowOption->click();
    }) << DialogCheck([](auto& d) { return !d.spaceList->isEnabled() && !d.hueList->isEnabled(); });
    // The hue rule only for the spaces with a hue.
    QTest::newRow("hue list for a polar space") << DialogAction([](auto& d) {
        d.spaceList->setCurrentIndex(d.spaceList->findText(captionOf(ColourSpace::Hsl)));
    }) << DialogCheck([](auto& d) {
        return d.hueList->isEnabled() && d.settings().options.space == ColourSpace::Hsl;
    });
    QTest::newRow("no hue list for sRGB")
        << DialogAction([](auto&) {}) << DialogCheck([](auto& d) { return !d.hueList->isEnabled(); });
    // The contrast level only with the floor on.
    QTest::newRow("level list follows the check") << DialogAction([](auto&) {}) << DialogCheck([](auto& d) {
        const bool before = d.contrastFloorList->isEnabled();
        d.contrastFloorCheck->click();
        return !before && d.contrastFloorList->isEnabled();
    });
    // 既定に戻す keeps the list for another time; only the choice goes back to the two colours.
    QTest::newRow("defaults keep the list") << DialogAction([=](auto& d) {
        typing(0, 1, u"#123456"_s)(d);
        d.formatList->setCurrentIndex(d.formatList->findText(captionOf(OutputFormat::Span)));
        d.defaultsButton->click();
    }) << DialogCheck([](auto& d) {
        const AdvancedSettings now = d.settings();
        return now.gradient == GradientChoice::TwoColours && now.options == ExtendedSettings{} &&
               now.stops.size() == 2 && now.stops[0].colour == ColourTriple{0x12, 0x34, 0x56};
    });
}

void TestAdvancedSettings::rulesOfTheDialogHold()
{
    QFETCH(DialogAction, act);
    QFETCH(DialogCheck, holds);
    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), QString());
    act(dialog);
    QVERIFY(holds(dialog));
}

void TestAdvancedSettings::stopListEditing()
{
    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), QString());
    dialog.setColourPicker([](const QColor&) { return std::optional<QColor>(QColor(0x11, 0x22, 0x33)); });
    dialog.stopsOption->click();
    QCOMPARE(dialog.stopModel->rowCount(), 2);

    // A text that is no colour, and a position that is no number, are put back.
    typeInto(dialog, 0, 1, u"red"_s);
    typeInto(dialog, 0, 2, u"abc"_s);
    QCOMPARE(cellText(dialog, 0, 1), u"#FF0000"_s);
    QCOMPARE(cellText(dialog, 0, 2), u"0"_s);
    typeInto(dialog, 1, 2, u"150"_s);
    QCOMPARE(cellText(dialog, 1, 2), u"100"_s);

    emit dialog.stopList->activated(dialog.stopModel->index(1, 0));
    QCOMPARE(cellText(dialog, 1, 1), u"#112233"_s);

    selectCell(dialog.stopList, 1, 1);
    dialog.moveStopUpButton->click();
    QCOMPARE(cellText(dialog, 0, 1), u"#112233"_s);
    QCOMPARE(cellText(dialog, 0, 2), u"0"_s);

    // Down to one stop: the note names it and OK refuses.
    selectCell(dialog.stopList, 0, 1);
    dialog.removeStopButton->click();
    QCOMPARE(dialog.stopModel->rowCount(), 1);
    QVERIFY(!dialog.conflictLabel->text().isEmpty());
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    dialog.okButton->click();
    QCOMPARE(recorder.messages().size(), 1);
    QCOMPARE(recorder.messages().first().style, MessageBox::Style::Information);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    // Removing or moving with nothing there does nothing.
    dialog.removeStopButton->click();
    dialog.removeStopButton->click();
    dialog.moveStopDownButton->click();
    QCOMPARE(dialog.stopModel->rowCount(), 0);
}

void TestAdvancedSettings::typedStopTextIsCheckedInPlace_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    QTest::newRow("F2, colour") << false << 1 << u"#00ff80"_s << u"#00FF80"_s << false;
    QTest::newRow("double click, colour") << true << 1 << u"10,20,30"_s << u"#0A141E"_s << false;
    QTest::newRow("F2, three digits") << false << 1 << u"#0f8"_s << u"#FF0000"_s << true;
    QTest::newRow("double click, colour name") << true << 1 << u"blue"_s << u"#FF0000"_s << true;
    QTest::newRow("F2, position") << false << 2 << u"37.5"_s << u"37.5"_s << false;
    QTest::newRow("F2, position below 0") << false << 2 << u"-5"_s << u"0"_s << true;
    QTest::newRow("double click, position over 100") << true << 2 << u"100.01"_s << u"0"_s << true;
}

// The colour and the position edit as text in the list; text that does not read keeps the cell
// in edit with a message beside the list, and leaves the stop as it was. The swatch's colour
// dialog does not open for them.
void TestAdvancedSettings::typedStopTextIsCheckedInPlace()
{
    QFETCH(bool, doubleClick);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, refused);

    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), QString());
    int picked = 0;
    dialog.setColourPicker([&](const QColor&) {
        ++picked;
        return std::optional<QColor>();
    });
    dialog.stopsOption->click();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QModelIndex cell = dialog.stopModel->index(0, column);
    dialog.stopList->setFocus();
    dialog.stopList->setCurrentIndex(cell);
    if (doubleClick) {
        const QPoint centre = dialog.stopList->visualRect(cell).center();
        QTest::mouseClick(dialog.stopList->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(dialog.stopList->viewport(), Qt::LeftButton, {}, centre);
    } else {
        QTest::keyClick(dialog.stopList, Qt::Key_F2);
    }
    QPointer<QLineEdit> editor = dialog.stopList->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    QCOMPARE(editor && editor->isVisible(), refused);
    QCOMPARE(dialog.stopMessageLabel->text().isEmpty(), !refused);
    QCOMPARE(picked, 0);
    if (refused)
        QTest::keyClick(editor.data(), Qt::Key_Escape);
    QCOMPARE(cellText(dialog, 0, column), shown);
}

void TestAdvancedSettings::stripPaintsTheRunColours()
{
    AdvancedSettingsDialog dialog(AdvancedSettings{}, mainWindowSettings(), u"abc"_s);
    dialog.formatList->setCurrentIndex(1);
    dialog.spaceList->setCurrentIndex(2);
    GradientSettings settings = mainWindowSettings();
    settings.extended.space = ColourSpace::Oklab;
    settings.extended.format = OutputFormat::Span;
    // The colours of a run over the same line: read back from the span markup.
    const QString markup = RecordingHost::markupFor(settings, u"abc"_s);
    const QList<QColor> colours = dialog.colourStrip->lineColours(1);
    QCOMPARE(colours.size(), 3);
    for (const QColor& colour : colours)
        QVERIFY2(markup.contains(colour.name()), qPrintable(colour.name() + u" in "_s + markup));
    QVERIFY(colours.front() != colours.back());
}

void TestAdvancedSettings::abortDuringAnExtendedRun()
{
    QCOMPARE(useDialog([](AdvancedSettingsDialog& d) {
                 d.rainbowOption->click();
                 d.unitList->setCurrentIndex(1);
                 d.mergeCheck->click();
             }),
             QStringList());
    const QString text(2000, u'x');
    form1().Text1->setText(text);
    const GradientSettings settings = form1().settings();

    bool progressShown = false;
    QTimer::singleShot(0, this, [&] {
        progressShown = form4().isVisible();
        form4().Command1->click();
    });
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    form1().Command1->click();

    QVERIFY(progressShown);
    QVERIFY(recorder.messages().isEmpty());
    QVERIFY(!SingleInstance<Form2>::isLoaded());
    QVERIFY(!SingleInstance<Form4>::isLoaded());
    QVERIFY(form1().isEnabled());
    QCOMPARE(module1().ResultHtml, RecordingHost::markupFor(settings, text, 1));
}

void TestAdvancedSettings::previewRefusedForBoardAndTerminal_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("refused");
    QTest::newRow("FONT") << 0 << false;
    QTest::newRow("span") << 1 << false;
    QTest::newRow("BBCode") << 2 << true;
    QTest::newRow("ANSI") << 3 << true;
    QTest::newRow("CSS") << 4 << false;
}

void TestAdvancedSettings::previewRefusedForBoardAndTerminal()
{
    QFETCH(int, format);
    QFETCH(bool, refused);

    QCOMPARE(useDialog([format](AdvancedSettingsDialog& d) { d.formatList->setCurrentIndex(format); }),
             QStringList());
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    form1().Command1->click();
    QVERIFY(SingleInstance<Form2>::isLoaded());
    // The result keeps the format it was made in, whatever the main window says by now.
    AdvancedSettings other;
    other.options.format = refused ? OutputFormat::Font : OutputFormat::Bbcode;
    form1().setAdvancedSettings(other);

    bool previewOpened = false;
    QTimer::singleShot(0, qApp, [&] {
        if (QApplication::activeModalWidget() != nullptr && SingleInstance<Form3>::isLoaded()) {
            previewOpened = true;
            QApplication::activeModalWidget()->close();
        }
    });
    form2().mnuPreview->trigger();
    QCOMPARE(previewOpened, !refused);
    QCOMPARE(recorder.messages().size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(recorder.messages().first().style, MessageBox::Style::Information);
        QVERIFY(recorder.messages().first().text.contains(u"プレビュー"_s));
    }
}

} // namespace huespan

QTEST_MAIN(huespan::TestAdvancedSettings)
#include "TestAdvancedSettings.moc"
