#include "CodePageEncoder.h"
#include "Module1.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "result/Form2.h"
#include "result/Form3.h"
#include "ui/ColourComponentFields.h"
#include "ui/DocumentOpener.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

using Components = std::array<qint16, 3>;

enum class Outcome
{
    PageWritten,
    ClosedWithoutPage,
    StaysOpen,
};

enum class Closing
{
    OkButton,
    EnterInAField,
    CancelButton,
    CloseBox,
};

const QString kMarkup = u"<B><FONT COLOR=\"#FF0000\">色</FONT>\r\n<FONT COLOR=\"#0000FF\">A</FONT>\r\n</B>"_s;

// The page written out by hand, independently of the code that builds it.
QByteArray expectedPage(const QString& colour)
{
    return (u"<HTML>\r\n<HEAD><TITLE>Huespanプレビュー</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#"_s + colour +
            u"\">\r\n"_s + kMarkup + u"\r\n</BODY>\r\n</HTML>"_s)
        .toUtf8();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

Form3& openDialog()
{
    Form3& dialog = form3();
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog))
        qWarning("the preview dialog did not become active");
    return dialog;
}

void close(Form3& dialog, Closing how)
{
    switch (how) {
    case Closing::OkButton:
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        break;
    case Closing::EnterInAField:
        QTest::keyClick(dialog.TextC[1], Qt::Key_Return);
        break;
    case Closing::CancelButton:
        QTest::mouseClick(dialog.Command2, Qt::LeftButton);
        break;
    case Closing::CloseBox:
        dialog.windowHandle()->close();
        break;
    }
}

void enter(Form3& dialog, bool hexadecimal, const QStringList& texts)
{
    if (hexadecimal)
        QTest::mouseClick(dialog.Option2, Qt::LeftButton);
    for (int component = 0; component < 3; ++component) {
        dialog.TextC[component]->setText(texts[component]);
        // The change rule keeps these texts; the test is about what the page makes of them.
        QCOMPARE(dialog.TextC[component]->text(), texts[component]);
    }
}

} // namespace

class TestPreviewDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startState_data();
    void startState();
    void loadsFromThePreviewBackground_data();
    void loadsFromThePreviewBackground();
    void keepsTheColourHoweverItCloses_data();
    void keepsTheColourHoweverItCloses();
    void writesThePageAndOpensIt_data();
    void writesThePageAndOpensIt();
    void unwritableProgramFolderUsesTheCache();
    void unwritableEverywhereOpensNothingAndSaysSo();
    void escapeLeavesTheDialogOpen();
    void keysOnTheFocusedControl_data();
    void keysOnTheFocusedControl();
    void tabStopsBothWays_data();
    void tabStopsBothWays();
    void pastedTextObeysTheKeyFilter_data();
    void pastedTextObeysTheKeyFilter();

private:
    QTemporaryDir* m_programFolder = nullptr;
    QStringList m_opened;
};

void TestPreviewDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // main() chose a UTF-8 locale, so the page's bytes are UTF-8 here.
    QCOMPARE(CodePageEncoder::systemCodePage(), QByteArray("UTF-8"));
}

void TestPreviewDialog::init()
{
    m_programFolder = new QTemporaryDir;
    QVERIFY(m_programFolder->isValid());
    module1().AppFolder = m_programFolder->path() + u'/';
    module1().PreviewBackground = {0, 0, 0};
    m_opened.clear();
    DocumentOpener::setHandler([this](const QString& path) { m_opened.append(path); });
    QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).removeRecursively();
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));

    form2().showResult(kMarkup);
    QVERIFY(QTest::qWaitForWindowExposed(&form2()));
}

void TestPreviewDialog::cleanup()
{
    if (SingleInstance<Form3>::isLoaded())
        form3().reject();
    unloadAllWindows();
    DocumentOpener::setHandler({});
    delete m_programFolder;
    m_programFolder = nullptr;
}

void TestPreviewDialog::startState_data()
{
    addStateRows<Form3>({
        {"title", [](Form3& w) { return QVariant(w.windowTitle()); }, u"プレビュー背景色"_s},
        {"fixed size", [](Form3& w) { return QVariant(w.size()); }, QSize(3225 / 15, 2310 / 15)},
        {"no minimise or maximise box",
         [](Form3& w) {
             const Qt::WindowFlags flags = w.windowFlags();
             return QVariant(flags.testFlag(Qt::CustomizeWindowHint) &&
                             flags.testFlag(Qt::WindowCloseButtonHint) &&
                             !flags.testAnyFlags(Qt::WindowMinMaxButtonsHint));
         },
         true},
        {"frame", [](Form3& w) { return QVariant(w.Frame2->title()); }, u"背景色"_s},
        {"10進数", [](Form3& w) { return QVariant(w.Option1->isChecked()); }, true},
        {"OK is the default", [](Form3& w) { return QVariant(w.Command1->isDefault()); }, true},
    });
}

void TestPreviewDialog::startState()
{
    compareStateRow(openDialog());
}

void TestPreviewDialog::loadsFromThePreviewBackground_data()
{
    QTest::addColumn<Components>("background");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("program start: black") << Components{0, 0, 0} << QStringList{u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("a colour kept from before")
        << Components{5, 171, 255} << QStringList{u"5"_s, u"171"_s, u"255"_s};
    QTest::newRow("orange") << Components{255, 128, 0} << QStringList{u"255"_s, u"128"_s, u"0"_s};
}

void TestPreviewDialog::loadsFromThePreviewBackground()
{
    QFETCH(Components, background);
    QFETCH(QStringList, texts);

    module1().PreviewBackground = background;
    Form3& dialog = openDialog();
    QVERIFY(dialog.colourFields().decimalNotation());
    for (int component = 0; component < 3; ++component)
        QCOMPARE(dialog.TextC[component]->text(), texts[component]);
    QCOMPARE(ColourComponentFields::swatchColour(dialog.Picture1),
             QColor(background[0], background[1], background[2]));
    QVERIFY(dialog.TextC[0]->hasFocus());
    QCOMPARE(dialog.TextC[0]->selectedText(), texts[0]);
}

void TestPreviewDialog::keepsTheColourHoweverItCloses_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Closing>("closing");
    QTest::addColumn<Components>("kept");

    QTest::newRow("キャンセル keeps the colour") << false << QStringList{u"5"_s, u"171"_s, u"255"_s}
                                                 << Closing::CancelButton << Components{5, 171, 255};
    QTest::newRow("close box keeps the colour")
        << false << QStringList{u"1"_s, u"2"_s, u"3"_s} << Closing::CloseBox << Components{1, 2, 3};
    QTest::newRow("OK keeps the colour")
        << false << QStringList{u"9"_s, u"99"_s, u"199"_s} << Closing::OkButton << Components{9, 99, 199};
    QTest::newRow("hexadecimal, then キャンセル")
        << true << QStringList{u"a"_s, u"ff"_s, u"10"_s} << Closing::CancelButton << Components{10, 255, 16};
    QTest::newRow("an empty field counts 0")
        << false << QStringList{u""_s, u"7"_s, u""_s} << Closing::CancelButton << Components{0, 7, 0};
}

void TestPreviewDialog::keepsTheColourHoweverItCloses()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QStringList, texts);
    QFETCH(Closing, closing);
    QFETCH(Components, kept);

    Form3& dialog = openDialog();
    enter(dialog, hexadecimal, texts);
    close(dialog, closing);
    QVERIFY(!SingleInstance<Form3>::isLoaded());
    QCOMPARE(module1().PreviewBackground, kept);

    // The next opening shows the same colour, in decimal whatever the notation was.
    Form3& again = openDialog();
    QVERIFY(again.Option1->isChecked());
    for (int component = 0; component < 3; ++component)
        QCOMPARE(again.TextC[component]->text(), QString::number(kept[static_cast<size_t>(component)]));
}

void TestPreviewDialog::writesThePageAndOpensIt_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Closing>("closing");
    QTest::addColumn<QString>("colour");

    QTest::newRow("first preview: black")
        << false << QStringList{u"0"_s, u"0"_s, u"0"_s} << Closing::OkButton << u"000000"_s;
    QTest::newRow("decimal 5, 171, 255")
        << false << QStringList{u"5"_s, u"171"_s, u"255"_s} << Closing::OkButton << u"05ABFF"_s;
    QTest::newRow("decimal, Enter presses OK")
        << false << QStringList{u"255"_s, u"128"_s, u"0"_s} << Closing::EnterInAField << u"FF8000"_s;
    QTest::newRow("decimal, an empty field")
        << false << QStringList{u""_s, u"1"_s, u"2"_s} << Closing::OkButton << u"000102"_s;
    QTest::newRow("hexadecimal a, ff, 0 as typed")
        << true << QStringList{u"a"_s, u"ff"_s, u"0"_s} << Closing::OkButton << u"0aff00"_s;
    QTest::newRow("hexadecimal, an empty field gives 00")
        << true << QStringList{u""_s, u"Ff"_s, u"1"_s} << Closing::OkButton << u"00Ff01"_s;
    QTest::newRow("hexadecimal with leading zeros")
        << true << QStringList{u"00F"_s, u"0000ff"_s, u"0c"_s} << Closing::OkButton << u"0FFF0c"_s;
}

void TestPreviewDialog::writesThePageAndOpensIt()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QStringList, texts);
    QFETCH(Closing, closing);
    QFETCH(QString, colour);

    MessageBoxRecorder messages(MessageBox::Answer::Ok);
    Form3& dialog = openDialog();
    enter(dialog, hexadecimal, texts);
    close(dialog, closing);

    const QString page = module1().AppFolder + u"Temp.htm"_s;
    QCOMPARE(m_opened, QStringList{page});
    QCOMPARE(fileBytes(page), expectedPage(colour));
    QVERIFY(messages.messages().isEmpty());
    QVERIFY(!SingleInstance<Form3>::isLoaded());
}

void TestPreviewDialog::unwritableProgramFolderUsesTheCache()
{
    // A file where the program's folder should be: not even root can write into it.
    const QString blocked = m_programFolder->filePath(u"installed"_s);
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    module1().AppFolder = blocked + u'/';

    MessageBoxRecorder messages(MessageBox::Answer::Ok);
    close(openDialog(), Closing::OkButton);

    const QString cached = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/Temp.htm"_s;
    QCOMPARE(m_opened, QStringList{cached});
    QCOMPARE(fileBytes(cached), expectedPage(u"000000"_s));
    QVERIFY(messages.messages().isEmpty());
}

void TestPreviewDialog::unwritableEverywhereOpensNothingAndSaysSo()
{
    const QString blocked = m_programFolder->filePath(u"installed"_s);
    QFile programFile(blocked);
    QVERIFY(programFile.open(QIODevice::WriteOnly));
    programFile.close();
    module1().AppFolder = blocked + u'/';
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(QFileInfo(cache).absolutePath());
    QFile cacheFile(cache);
    QVERIFY(cacheFile.open(QIODevice::WriteOnly));
    cacheFile.close();

    MessageBoxRecorder messages(MessageBox::Answer::Ok);
    close(openDialog(), Closing::OkButton);

    QVERIFY(m_opened.isEmpty());
    QCOMPARE(messages.messages().size(), 1);
    QCOMPARE(messages.messages().first().text,
             u"プレビューファイルを保存できません！\n"_s + cache + u"/Temp.htm"_s);
    QCOMPARE(messages.messages().first().style, MessageBox::Style::Information);
    QVERIFY(!SingleInstance<Form3>::isLoaded());
    QFile::remove(cache);
}

void TestPreviewDialog::escapeLeavesTheDialogOpen()
{
    Form3& dialog = openDialog();
    QTest::keyClick(dialog.TextC[0], Qt::Key_Escape);
    QVERIFY(SingleInstance<Form3>::isLoaded());
    QVERIFY(dialog.isVisible());
    QVERIFY(m_opened.isEmpty());
}

void TestPreviewDialog::keysOnTheFocusedControl_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("key");
    QTest::addColumn<Outcome>("outcome");

    // Tab presses from 赤, where the dialog opens: 緑, 青, OK, キャンセル, the option pair.
    QTest::newRow("Enter in 緑 presses OK") << 1 << int(Qt::Key_Return) << Outcome::PageWritten;
    QTest::newRow("Enter on the focused OK") << 3 << int(Qt::Key_Return) << Outcome::PageWritten;
    QTest::newRow("Enter on the focused キャンセル")
        << 4 << int(Qt::Key_Return) << Outcome::ClosedWithoutPage;
    QTest::newRow("keypad Enter on the focused キャンセル")
        << 4 << int(Qt::Key_Enter) << Outcome::ClosedWithoutPage;
    QTest::newRow("Space on the focused キャンセル") << 4 << int(Qt::Key_Space) << Outcome::ClosedWithoutPage;
    QTest::newRow("Esc on the focused キャンセル") << 4 << int(Qt::Key_Escape) << Outcome::StaysOpen;
    QTest::newRow("Enter on the option after キャンセル") << 5 << int(Qt::Key_Return) << Outcome::PageWritten;
    QTest::newRow("Enter back in 赤 after キャンセル") << 6 << int(Qt::Key_Return) << Outcome::PageWritten;
}

void TestPreviewDialog::keysOnTheFocusedControl()
{
    QFETCH(int, tabs);
    QFETCH(int, key);
    QFETCH(Outcome, outcome);

    MessageBoxRecorder messages(MessageBox::Answer::Ok);
    Form3& dialog = openDialog();
    QVERIFY(dialog.TextC[0]->hasFocus());
    tabStops(tabs, false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));

    const QString page = module1().AppFolder + u"Temp.htm"_s;
    QCOMPARE(SingleInstance<Form3>::isLoaded(), outcome == Outcome::StaysOpen);
    QCOMPARE(QFile::exists(page), outcome == Outcome::PageWritten);
    QCOMPARE(m_opened.size(), outcome == Outcome::PageWritten ? 1 : 0);
    QVERIFY(messages.messages().isEmpty());
}

void TestPreviewDialog::tabStopsBothWays_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<bool>("hexadecimal");

    QTest::newRow("Tab, decimal") << false << false;
    QTest::newRow("Shift+Tab, decimal") << true << false;
    QTest::newRow("Tab, hexadecimal") << false << true;
    QTest::newRow("Shift+Tab, hexadecimal") << true << true;
}

// The option pair is one stop, on its selected button, whichever way the focus runs.
void TestPreviewDialog::tabStopsBothWays()
{
    QFETCH(bool, backwards);
    QFETCH(bool, hexadecimal);

    Form3& dialog = openDialog();
    if (hexadecimal) {
        dialog.Option2->click();
        dialog.TextC[0]->setFocus();
    }
    QList<QWidget*> cycle{dialog.TextC[0], dialog.TextC[1], dialog.TextC[2],
                          dialog.Command1, dialog.Command2, hexadecimal ? dialog.Option2 : dialog.Option1,
                          dialog.TextC[0]};
    const QList<QWidget*> expected = stopsAroundTheCycle(cycle, backwards);
    QCOMPARE(tabStops(int(expected.size()), backwards), expected);
    QCOMPARE(dialog.Option2->isChecked(), hexadecimal);
}

void TestPreviewDialog::pastedTextObeysTheKeyFilter_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QColor>("swatch");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("nextOpening");

    QTest::newRow("hexadecimal junk around 12")
        << true << u" -12xyz!!ＦＦ"_s << u"12"_s << QColor(0x12, 0, 0) << u"120000"_s << u"18"_s;
    QTest::newRow("decimal junk around 12")
        << false << u" -12xyz!!ＦＦ"_s << u"12"_s << QColor(12, 0, 0) << u"0C0000"_s << u"12"_s;
    QTest::newRow("hexadecimal, nothing typeable")
        << true << u"ＦＦ xyz"_s << u"0"_s << QColor(0, 0, 0) << u"000000"_s << u"0"_s;
    QTest::newRow("hexadecimal, too large")
        << true << u"#1C3"_s << u"FF"_s << QColor(255, 0, 0) << u"FF0000"_s << u"255"_s;
}

// A field never shows what the key filter refuses, so the field, its swatch, the page and the
// next opening all read the same value.
void TestPreviewDialog::pastedTextObeysTheKeyFilter()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(QColor, swatch);
    QFETCH(QString, colour);
    QFETCH(QString, nextOpening);

    Form3& dialog = openDialog();
    if (hexadecimal)
        QTest::mouseClick(dialog.Option2, Qt::LeftButton);
    dialog.TextC[0]->setFocus();
    dialog.TextC[0]->selectAll();
    pasteThroughContextMenu(dialog.TextC[0], pasted);
    QCOMPARE(dialog.TextC[0]->text(), shown);
    QCOMPARE(ColourComponentFields::swatchColour(dialog.Picture1), swatch);

    close(dialog, Closing::OkButton);
    QCOMPARE(fileBytes(module1().AppFolder + u"Temp.htm"_s), expectedPage(colour));
    QCOMPARE(openDialog().TextC[0]->text(), nextOpening);
}

} // namespace huespan

int main(int argc, char* argv[])
{
    // The page is written in the code page of the user's locale; pin it.
    qputenv("LC_ALL", "C.UTF-8");
    QApplication application(argc, argv);
    huespan::TestPreviewDialog test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "TestPreviewDialog.moc"
