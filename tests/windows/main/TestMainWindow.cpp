#include "Module1.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "about/frmAbout.h"
#include "main/Form1.h"
#include "ui/ColourComponentFields.h"
#include "ui/MessageBox.h"

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
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace huespan {

class TestMainWindow final : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void startState_data();
    void startState();
    void iconHasBothPictures();
    void sizeOptionsSwitchTheLists_data();
    void sizeOptionsSwitchTheLists();
    void formOptionsRelabelTheColourFrames_data();
    void formOptionsRelabelTheColourFrames();
    void everyCaptionFitsItsControl();
    void tabKeyFollowsTheWindowsOrder();
    void optionGroupsAreOneStopOnTheSelectedButton_data();
    void optionGroupsAreOneStopOnTheSelectedButton();
    void keyboardFocusOnTheDefaultButtonShows();
    void enterAnywhereStartsAGeneration_data();
    void enterAnywhereStartsAGeneration();
    void closingAsksForConfirmation_data();
    void closingAsksForConfirmation();
    void disabledWindowCannotBeClosed();
    void appFolderEndsWithOneSeparator();
    void versionWindowIsModal_data();
    void versionWindowIsModal();
};

namespace {

QStringList textsOf(const QList<QLineEdit*>& fields)
{
    QStringList texts;
    for (const QLineEdit* field : fields)
        texts.append(field->text());
    return texts;
}

} // namespace

void TestMainWindow::startState_data()
{
    addStateRows<Form1>({
        {"title", [](Form1& w) { return QVariant(w.windowTitle()); }, u"HuespanHTML生成"_s},
        {"client area", [](Form1& w) { return QVariant(w.centralWidget()->size()); },
         QSize(5430 / 15, 4920 / 15)},
        {"fixed size", [](Form1& w) { return QVariant(w.minimumSize() == w.maximumSize()); }, true},
        {"no maximise box",
         [](Form1& w) { return QVariant(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint)); }, false},
        {"minimise box",
         [](Form1& w) { return QVariant(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint)); }, true},
        {"two menu items, the advanced settings first, acting directly",
         [](Form1& w) {
             return QVariant(w.menuBar()->actions() ==
                                 QList<QAction*>{w.advancedSettingsAction, w.mnuAbout} &&
                             w.advancedSettingsAction->menu() == nullptr && w.mnuAbout->menu() == nullptr);
         },
         true},
        {"advanced settings caption", [](Form1& w) { return QVariant(w.advancedSettingsAction->text()); },
         u"詳細設定(&S)"_s},
        {"menu caption", [](Form1& w) { return QVariant(w.mnuAbout->text()); }, u"バージョン情報(&A)"_s},
        {"component fields", [](Form1& w) { return QVariant(textsOf(w.TextC)); }, QStringList(6, u"0"_s)},
        {"first swatch", [](Form1& w) { return QVariant(ColourComponentFields::swatchColour(w.Picture1)); },
         QColor(Qt::black)},
        {"second swatch", [](Form1& w) { return QVariant(ColourComponentFields::swatchColour(w.Picture2)); },
         QColor(Qt::black)},
        {"size list", [](Form1& w) { return QVariant(w.Combo1->currentText()); }, u"指定なし"_s},
        {"heading list", [](Form1& w) { return QVariant(w.Combo2->currentText()); }, u"指定なし"_s},
        {"size list enabled", [](Form1& w) { return QVariant(w.Combo1->isEnabled()); }, true},
        {"heading list disabled", [](Form1& w) { return QVariant(w.Combo2->isEnabled()); }, false},
        {"左から右へ", [](Form1& w) { return QVariant(w.Option5->isChecked()); }, true},
        {"10進数", [](Form1& w) { return QVariant(w.Option3->isChecked()); }, true},
        {"通常", [](Form1& w) { return QVariant(w.Option1->isChecked()); }, true},
        {"decimal notation", [](Form1& w) { return QVariant(w.colourFields().decimalNotation()); }, true},
        {"first frame", [](Form1& w) { return QVariant(w.Frame2->title()); }, u"始めの色"_s},
        {"second frame", [](Form1& w) { return QVariant(w.Frame3->title()); }, u"終わりの色"_s},
        {"nothing ticked",
         [](Form1& w) {
             const QList<QCheckBox*> boxes{w.Check1, w.Check2, w.Check3, w.Check4, w.Check5};
             return QVariant(
                 std::none_of(boxes.cbegin(), boxes.cend(), [](QCheckBox* box) { return box->isChecked(); }));
         },
         true},
        {"texts empty",
         [](Form1& w) {
             return QVariant(textsOf({w.Text1, w.Text2, w.Text3}));
         },
         QStringList(3)},
        {"generate is the default", [](Form1& w) { return QVariant(w.Command1->isDefault()); }, true},
        {"enabled", [](Form1& w) { return QVariant(w.isEnabled()); }, true},
    });
}

void TestMainWindow::startState()
{
    compareStateRow(form1());
}

void TestMainWindow::iconHasBothPictures()
{
    for (const int side : {16, 32}) {
        const QImage picture = form1().windowIcon().pixmap(QSize(side, side)).toImage();
        QCOMPARE(picture.size(), QSize(side, side));
        QVERIFY(picture.pixelColor(side / 2, side / 2).alpha() > 0);
    }
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
void TestMainWindow::tabKeyFollowsTheWindowsOrder()
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

void TestMainWindow::optionGroupsAreOneStopOnTheSelectedButton_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<bool>("heading");

    QTest::newRow("Shift+Tab right after start") << true << false << false << false;
    QTest::newRow("Tab right after start") << false << false << false << false;
    QTest::newRow("Shift+Tab, the second button of every group chosen") << true << true << true << true;
    QTest::newRow("Tab, the second button of every group chosen") << false << true << true << true;
    QTest::newRow("Shift+Tab, 両側を同じに only") << true << true << false << false;
}

// Whichever way the focus runs, each group of option buttons is one stop, on its selected button;
// Space there changes nothing.
void TestMainWindow::optionGroupsAreOneStopOnTheSelectedButton()
{
    QFETCH(bool, backwards);
    QFETCH(bool, bothSides);
    QFETCH(bool, hexadecimal);
    QFETCH(bool, heading);

    Form1& window = form1();
    if (bothSides)
        window.Option6->click();
    if (hexadecimal)
        window.Option4->click();
    if (heading)
        window.Option2->click();
    QList<QWidget*> cycle{window.Text1};
    for (QLineEdit* field : std::as_const(window.TextC))
        cycle.append(field);
    cycle.append({window.Check1, window.Check2, window.Check4, window.Check3});
    if (!heading)
        cycle.append(window.Combo1);
    cycle.append({window.Command1, window.Check5, heading ? window.Option2 : window.Option1});
    if (heading)
        cycle.append(window.Combo2);
    cycle.append({window.Text2, window.Text3, hexadecimal ? window.Option4 : window.Option3,
                  bothSides ? window.Option6 : window.Option5, window.Text1});
    const QList<QWidget*> expected = stopsAroundTheCycle(cycle, backwards);

    window.Text1->setFocus(Qt::OtherFocusReason);
    QList<QWidget*> visited;
    for (int step = 0; step < expected.size(); ++step) {
        visited.append(tabStops(1, backwards));
        if (auto* option = qobject_cast<QRadioButton*>(visited.last()))
            QTest::keyClick(option, Qt::Key_Space);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(window.Option6->isChecked(), bothSides);
    QCOMPARE(window.Option4->isChecked(), hexadecimal);
    QCOMPARE(window.Option2->isChecked(), heading);
}

// Fusion marks the default button and a focused button alike; the program's style adds a frame
// when the keyboard brings the focus to a button.
void TestMainWindow::keyboardFocusOnTheDefaultButtonShows()
{
    Form1& window = form1();
    window.Combo1->setFocus(Qt::TabFocusReason);
    const QImage unfocused = window.Command1->grab().toImage();
    QTest::keyClick(window.Combo1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.Command1);
    const QImage focused = window.Command1->grab().toImage();
    QVERIFY(unfocused != focused);
    QTest::keyClick(window.Command1, Qt::Key_Tab);
    QCOMPARE(window.Command1->grab().toImage(), unfocused);
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
    QTest::newRow("生成！ itself") << u"Command1"_s;
}

void TestMainWindow::enterAnywhereStartsAGeneration()
{
    QFETCH(QString, controlName);

    Form1& window = form1();
    QWidget* control = controlName == u"TextC4"_s     ? window.TextC.at(4)
                       : controlName == u"Text1"_s    ? window.Text1
                       : controlName == u"Text3"_s    ? static_cast<QWidget*>(window.Text3)
                       : controlName == u"Check1"_s   ? static_cast<QWidget*>(window.Check1)
                       : controlName == u"Option3"_s  ? static_cast<QWidget*>(window.Option3)
                       : controlName == u"Command1"_s ? static_cast<QWidget*>(window.Command1)
                                                      : static_cast<QWidget*>(window.Combo1);
    control->setFocus(Qt::TabFocusReason);
    // The empty text is refused, which shows that the run started and ended.
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    QTest::keyClick(control, Qt::Key_Return);
    QCOMPARE(recorder.texts(), QStringList{u"文字列を指定してください！"_s});
    QVERIFY(window.isEnabled());
}

void TestMainWindow::closingAsksForConfirmation_data()
{
    QTest::addColumn<MessageBox::Answer>("answer");
    QTest::addColumn<bool>("stays");
    QTest::newRow("No keeps the window") << MessageBox::Answer::No << true;
    QTest::newRow("Yes closes it") << MessageBox::Answer::Yes << false;
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
    QFETCH(MessageBox::Answer, answer);
    QFETCH(bool, stays);

    form1().Text1->setText(u"虹色"_s);
    form1().Option4->click();
    MessageBoxRecorder recorder(answer);
    const bool ended = programEndsAfter([] { form1().close(); });

    QCOMPARE(recorder.messages().size(), 1);
    QCOMPARE(recorder.messages().first().text, u"終了してよろしいですか？"_s);
    QCOMPARE(recorder.messages().first().style, MessageBox::Style::InformationYesNo);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(SingleInstance<Form1>::isLoaded(), stays);
    QCOMPARE(ended, !stays);

    // Whatever comes next finds either the window as it was or a fresh one.
    QCOMPARE(form1().Text1->text(), stays ? u"虹色"_s : QString());
    QCOMPARE(form1().Option4->isChecked(), stays);
}

void TestMainWindow::disabledWindowCannotBeClosed()
{
    MessageBoxRecorder recorder(MessageBox::Answer::Yes);
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

    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
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
