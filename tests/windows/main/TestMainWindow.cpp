#include "Module1.h"
#include "WindowTestSupport.h"
#include "ui/MessageBox.h"
#include "ui/ProgramLook.h"
#include "WindowSet.h"
#include "about/frmAbout.h"
#include "ui/ColourComponentFields.h"
#include "main/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace huespan {

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsInItsDesignState();
    void windowHasAFixedClientAreaAndTwoDirectMenuItems();
    void sizeOptionsSwitchTheLists_data();
    void sizeOptionsSwitchTheLists();
    void formOptionsRelabelTheColourFrames_data();
    void formOptionsRelabelTheColourFrames();
    void everyCaptionFitsItsControl();
    void tabKeyFollowsTheDesignOrder();
    void enterAnywhereStartsAGeneration_data();
    void enterAnywhereStartsAGeneration();
    void closingAsksForConfirmation_data();
    void closingAsksForConfirmation();
    void disabledWindowCannotBeClosed();
    void appFolderEndsWithOneSeparator();
    void versionWindowIsModal_data();
    void versionWindowIsModal();
};

void TestMainWindow::initTestCase()
{
    applyProgramLook(*qApp);
}

void TestMainWindow::init()
{
    unloadAllWindows();
    form1().show();
    QVERIFY(QTest::qWaitForWindowActive(&form1()));
}

void TestMainWindow::cleanup()
{
    unloadAllWindows();
}

void TestMainWindow::startsInItsDesignState()
{
    Form1& window = form1();
    for (const QLineEdit* field : std::as_const(window.TextC))
        QCOMPARE(field->text(), u"0"_s);
    QCOMPARE(window.TextC.size(), 6);
    QCOMPARE(ColourComponentFields::swatchColour(window.Picture1), QColor(Qt::black));
    QCOMPARE(ColourComponentFields::swatchColour(window.Picture2), QColor(Qt::black));
    QCOMPARE(window.Combo1->currentText(), u"指定なし"_s);
    QCOMPARE(window.Combo2->currentText(), u"指定なし"_s);
    QVERIFY(window.Combo1->isEnabled());
    QVERIFY(!window.Combo2->isEnabled());
    QVERIFY(window.Option5->isChecked());
    QVERIFY(window.Option3->isChecked());
    QVERIFY(window.Option1->isChecked());
    QVERIFY(window.colourFields().decimalNotation());
    QCOMPARE(window.Frame2->title(), u"始めの色"_s);
    QCOMPARE(window.Frame3->title(), u"終わりの色"_s);
    for (const QCheckBox* box : {window.Check1, window.Check2, window.Check3, window.Check4, window.Check5})
        QVERIFY(!box->isChecked());
    for (const QLineEdit* box : {window.Text1, window.Text2, window.Text3})
        QVERIFY(box->text().isEmpty());
    QVERIFY(window.Command1->isDefault());
    QVERIFY(window.isEnabled());
}

void TestMainWindow::windowHasAFixedClientAreaAndTwoDirectMenuItems()
{
    Form1& window = form1();
    QCOMPARE(window.windowTitle(), u"HuespanHTML生成"_s);
    QCOMPARE(window.centralWidget()->size(), QSize(5430 / 15, 4920 / 15));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    for (const int side : {16, 32}) {
        const QImage picture = window.windowIcon().pixmap(QSize(side, side)).toImage();
        QCOMPARE(picture.size(), QSize(side, side));
        QVERIFY(picture.pixelColor(side / 2, side / 2).alpha() > 0);
    }

    // Two direct items: the advanced settings before the version information.
    const QList<QAction*> items = window.menuBar()->actions();
    QCOMPARE(items, (QList<QAction*>{window.mnuAdvanced, window.mnuAbout}));
    QCOMPARE(window.mnuAdvanced->text(), u"詳細設定(&S)"_s);
    QCOMPARE(window.mnuAdvanced->menu(), nullptr);
    QCOMPARE(window.mnuAbout->text(), u"バージョン情報(&A)"_s);
    QCOMPARE(window.mnuAbout->menu(), nullptr);
}

void TestMainWindow::sizeOptionsSwitchTheLists_data()
{
    QTest::addColumn<bool>("heading");
    QTest::newRow("見出し") << true;
    QTest::newRow("見出し, then 通常") << false;
}

void TestMainWindow::sizeOptionsSwitchTheLists()
{
    QFETCH(bool, heading);

    Form1& window = form1();
    window.Combo1->setCurrentText(u"3"_s);
    window.Option2->click();
    window.Combo2->setCurrentText(u"H2"_s);
    if (!heading)
        window.Option1->click();

    QCOMPARE(window.Combo1->isEnabled(), !heading);
    QCOMPARE(window.Combo2->isEnabled(), heading);
    QCOMPARE(window.Combo1->currentText(), u"3"_s);
    QCOMPARE(window.Combo2->currentText(), u"H2"_s);
    QCOMPARE(window.settings().sizeMode, heading ? SizeMode::Heading : SizeMode::Normal);
}

void TestMainWindow::formOptionsRelabelTheColourFrames_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("両側を同じに") << true << u"両側の色"_s << u"真ん中の色"_s;
    QTest::newRow("back to 左から右へ") << false << u"始めの色"_s << u"終わりの色"_s;
}

void TestMainWindow::formOptionsRelabelTheColourFrames()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, first);
    QFETCH(QString, second);

    Form1& window = form1();
    window.TextC.at(0)->setText(u"12"_s);
    window.TextC.at(5)->setText(u"34"_s);
    window.Option6->click();
    if (!bothSides)
        window.Option5->click();

    QCOMPARE(window.Frame2->title(), first);
    QCOMPARE(window.Frame3->title(), second);
    QCOMPARE(window.TextC.at(0)->text(), u"12"_s);
    QCOMPARE(window.TextC.at(5)->text(), u"34"_s);
    QCOMPARE(ColourComponentFields::swatchColour(window.Picture1), QColor(12, 0, 0));
}

// The layout is fixed in pixels, so the program's font must leave every caption whole.
void TestMainWindow::everyCaptionFitsItsControl()
{
    Form1& window = form1();
    window.Option6->click(); // the longer frame captions
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
    for (QLabel* label : window.findChildren<QLabel*>())
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect caption =
            frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        QVERIFY2(caption.width() >= frame->fontMetrics().horizontalAdvance(frame->title()),
                 qPrintable(frame->title()));
        QVERIFY2(frame->rect().contains(caption), qPrintable(frame->title()));
    }
    for (QComboBox* list : {window.Combo1, window.Combo2}) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field =
            list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        for (int item = 0; item < list->count(); ++item)
            QVERIFY2(list->fontMetrics().horizontalAdvance(list->itemText(item)) <= field.width(),
                     qPrintable(list->itemText(item)));
    }
    QVERIFY(window.fontMetrics().height() <= 13);
}

// A group of option buttons is one stop, at its selected button; the disabled heading list is
// passed over.
void TestMainWindow::tabKeyFollowsTheDesignOrder()
{
    Form1& window = form1();
    const QList<QWidget*> expected{
        window.TextC.at(0), window.TextC.at(1), window.TextC.at(2), window.TextC.at(3), window.TextC.at(4),
        window.TextC.at(5), window.Check1,      window.Check2,      window.Check4,      window.Check3,
        window.Combo1,      window.Command1,    window.Check5,      window.Option1,     window.Text2,
        window.Text3,       window.Option3,     window.Option5,     window.Text1};
    window.Text1->setFocus();
    QList<QWidget*> visited;
    for (qsizetype step = 0; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    QCOMPARE(visited, expected);
}

void TestMainWindow::enterAnywhereStartsAGeneration_data()
{
    QTest::addColumn<QString>("controlName");
    QTest::newRow("Text1") << u"Text1"_s;
    QTest::newRow("TextC(4)") << u"TextC4"_s;
    QTest::newRow("Text3") << u"Text3"_s;
    QTest::newRow("Check1") << u"Check1"_s;
    QTest::newRow("Option3") << u"Option3"_s;
    QTest::newRow("Combo1") << u"Combo1"_s;
}

void TestMainWindow::enterAnywhereStartsAGeneration()
{
    QFETCH(QString, controlName);

    Form1& window = form1();
    QWidget* control = controlName == u"TextC4"_s    ? window.TextC.at(4)
                       : controlName == u"Text1"_s   ? window.Text1
                       : controlName == u"Text3"_s   ? static_cast<QWidget*>(window.Text3)
                       : controlName == u"Check1"_s  ? static_cast<QWidget*>(window.Check1)
                       : controlName == u"Option3"_s ? static_cast<QWidget*>(window.Option3)
                                                     : static_cast<QWidget*>(window.Combo1);
    control->setFocus();
    // The empty text is refused, which shows that the run started and ended.
    MessageBoxRecorder recorder(MessageBox::kAnswerOk);
    QTest::keyClick(control, Qt::Key_Return);
    QCOMPARE(recorder.texts(), QStringList{u"文字列を指定してください！"_s});
    QVERIFY(window.isEnabled());
}

void TestMainWindow::closingAsksForConfirmation_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stays");
    QTest::newRow("No keeps the window") << MessageBox::kAnswerNo << true;
    QTest::newRow("Yes closes it") << MessageBox::kAnswerYes << false;
}

// Runs the program's event loop while the action closes the main window; true when the program
// ended by itself, false when the loop had to be stopped from outside.
static bool programEndsAfter(const std::function<void()>& action)
{
    constexpr int kStoppedFromOutside = 99;
    QTimer::singleShot(0, action);
    QTimer stopper;
    stopper.setSingleShot(true);
    QObject::connect(&stopper, &QTimer::timeout, [] { QCoreApplication::exit(kStoppedFromOutside); });
    stopper.start(500);
    return QApplication::exec() != kStoppedFromOutside;
}

void TestMainWindow::closingAsksForConfirmation()
{
    QFETCH(int, answer);
    QFETCH(bool, stays);

    form1().Text1->setText(u"虹色"_s);
    form1().Option4->click();
    MessageBoxRecorder recorder(answer);
    const bool ended = programEndsAfter([] { form1().close(); });

    QCOMPARE(recorder.messages().size(), 1);
    QCOMPARE(recorder.messages().first().text, u"終了してよろしいですか？"_s);
    QCOMPARE(recorder.messages().first().style, MessageBox::kInformationYesNo);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(SingleInstance<Form1>::isLoaded(), stays);
    QCOMPARE(ended, !stays);

    // Whatever comes next finds either the window as it was or a fresh one.
    QCOMPARE(form1().Text1->text(), stays ? u"虹色"_s : QString());
    QCOMPARE(form1().Option4->isChecked(), stays);
}

void TestMainWindow::disabledWindowCannotBeClosed()
{
    MessageBoxRecorder recorder(MessageBox::kAnswerYes);
    form1().setEnabled(false);
    QVERIFY(!form1().close());
    QVERIFY(recorder.messages().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(SingleInstance<Form1>::isLoaded());
}

void TestMainWindow::appFolderEndsWithOneSeparator()
{
    const QString folder = module1().AppFolder;
    QVERIFY(folder.endsWith(QDir::separator()));
    QVERIFY(!folder.endsWith(QString(2, QDir::separator())));
    QCOMPARE(QDir(folder).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
}

// Clicks through the window system, where a modal window blocks the others.
static void clickGenerateThroughTheWindowSystem()
{
    QPushButton* button = form1().Command1;
    const QPoint inWindow = button->mapTo(&form1(), button->rect().center());
    QTest::mouseClick(form1().windowHandle(), Qt::LeftButton, {}, inWindow);
}

void TestMainWindow::versionWindowIsModal_data()
{
    QTest::addColumn<bool>("byAccessKey");
    QTest::newRow("menu item") << false;
    QTest::newRow("Alt+A") << true;
}

void TestMainWindow::versionWindowIsModal()
{
    QFETCH(bool, byAccessKey);

    MessageBoxRecorder recorder(MessageBox::kAnswerOk);
    bool aboutWasModal = false;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        watcher.stop();
        aboutWasModal = modal == &aboutForm();
        // With the empty text, a click that got through would be refused with a message.
        clickGenerateThroughTheWindowSystem();
        modal->close();
    });
    watcher.start(10);
    if (byAccessKey)
        QTest::keyClick(form1().windowHandle(), Qt::Key_A, Qt::AltModifier);
    else
        form1().mnuAbout->trigger();
    QVERIFY(aboutWasModal);
    QVERIFY(recorder.messages().isEmpty());
    QVERIFY(!SingleInstance<frmAbout>::isLoaded());

    clickGenerateThroughTheWindowSystem();
    QCOMPARE(recorder.messages().size(), 1);
}

} // namespace huespan

QTEST_MAIN(huespan::TestMainWindow)
#include "TestMainWindow.moc"
