#include "Generators.h"
#include "Module1.h"
#include "RecordingHost.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/AdvancedSettings.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

enum class AbortWay
{
    OneClick,
    TwoClicks,
    CloseRequest,
    EnterOnTheFocusedButton,
    SpaceOnTheFocusedButton,
};

} // namespace
} // namespace huespan

// Declared before the first use: release builds instantiate the test data before they would see a
// later declaration.
Q_DECLARE_METATYPE(huespan::AbortWay)

namespace huespan {

class TestGenerationThroughWindows final : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void refusalsEnableTheWindowAgain_data();
    void refusalsEnableTheWindowAgain();
    void enterInTheTextStartsARun();
    void focusComesBackAfterTheRun_data();
    void focusComesBackAfterTheRun();
    void completedRunShowsTheCoreMarkup_data();
    void completedRunShowsTheCoreMarkup();
    void abortStopsTheRunWithoutAResult_data();
    void abortStopsTheRunWithoutAResult();
};

void TestGenerationThroughWindows::refusalsEnableTheWindowAgain_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("left to right, empty") << false << QString() << u"文字列を指定してください！"_s;
    QTest::newRow("left to right, one character") << false << u"a"_s << u"1文字では実行できません！"_s;
    QTest::newRow("both sides, empty") << true << QString() << u"文字列を指定してください！"_s;
    QTest::newRow("both sides, two characters") << true << u"ab"_s << u"この文字数では実行できません！"_s;
    QTest::newRow("too long") << false << QString(32768, u'x') << u"文字列を指定してください！"_s;
}

void TestGenerationThroughWindows::refusalsEnableTheWindowAgain()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, text);
    QFETCH(QString, message);

    module1().ResultHtml = u"earlier result"_s;
    if (bothSides)
        form1().Option6->click();
    form1().Text1->setText(text);

    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    form1().Command1->click();

    QCOMPARE(recorder.messages().size(), 1);
    QCOMPARE(recorder.messages().first().text, message);
    QCOMPARE(recorder.messages().first().style, MessageBox::Style::Information);
    QVERIFY(form1().isEnabled());
    QVERIFY(!SingleInstance<Form4>::isLoaded());
    QVERIFY(!SingleInstance<Form2>::isLoaded());
    QCOMPARE(module1().ResultHtml, u"earlier result"_s);
}

void TestGenerationThroughWindows::enterInTheTextStartsARun()
{
    form1().Text1->setText(u"グラデーション"_s);
    placeCaretAtEnd(form1().Text1);
    QTest::keyClick(form1().Text1, Qt::Key_Return);

    QVERIFY(SingleInstance<Form2>::isLoaded());
    QVERIFY(form2().isVisible());
    QCOMPARE(form2().text(), RecordingHost::markupFor(GradientSettings{}, u"グラデーション"_s));
    QVERIFY(!form1().isEnabled());
}

void TestGenerationThroughWindows::focusComesBackAfterTheRun_data()
{
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("text");
    // A terminal's format with the main window's line breaks, which the run refuses.
    QTest::addColumn<bool>("conflict");
    // False: the run completes, and Alt+X closes its result.
    QTest::addColumn<bool>("refused");

    QTest::newRow("result closed, 青 of the second colour")
        << u"TextC5"_s << u"グラデーション"_s << false << false;
    QTest::newRow("result closed, 後ろ") << u"Text3"_s << u"abc"_s << false << false;
    QTest::newRow("empty text, 青 of the second colour") << u"TextC5"_s << QString() << false << true;
    QTest::newRow("one character, 太字") << u"Check1"_s << u"a"_s << false << true;
    QTest::newRow("settings conflict, 緑 of the first colour") << u"TextC1"_s << u"abc"_s << true << true;
    QTest::newRow("settings conflict, 文字列") << u"Text1"_s << u"abc"_s << true << true;
}

// Whatever ends the run, the control that had the focus when Enter started it has it again, and the
// window is disabled while any refusal's message is up.
void TestGenerationThroughWindows::focusComesBackAfterTheRun()
{
    QFETCH(QString, controlName);
    QFETCH(QString, text);
    QFETCH(bool, conflict);
    QFETCH(bool, refused);

    Form1& window = form1();
    const QMap<QString, QWidget*> controls{{u"TextC1"_s, window.TextC.at(1)},
                                           {u"TextC5"_s, window.TextC.at(5)},
                                           {u"Text1"_s, window.Text1},
                                           {u"Text3"_s, window.Text3},
                                           {u"Check1"_s, window.Check1}};
    QWidget* control = controls.value(controlName);
    QStandardPaths::setTestModeEnabled(true);
    const auto plainSettings = qScopeGuard([] { form1().setAdvancedSettings(AdvancedSettings{}); });
    if (conflict) {
        AdvancedSettings ansi;
        ansi.options.format = OutputFormat::Ansi;
        window.setAdvancedSettings(ansi);
        window.Check5->setChecked(true);
    }
    QList<bool> enabledUnderMessages;
    MessageBox::setHandler([&](const QString&, MessageBox::Style) {
        enabledUnderMessages.append(form1().isEnabled());
        return MessageBox::Answer::Ok;
    });
    const auto realMessages = qScopeGuard([] { MessageBox::setHandler({}); });

    typeText(window.Text1, text);
    control->setFocus(Qt::MouseFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(control); field != nullptr && field != window.Text1)
        typeText(field, u"99"_s);
    QTest::keyClick(control, Qt::Key_Return);

    QCOMPARE(enabledUnderMessages, refused ? QList<bool>{false} : QList<bool>{});
    QCOMPARE(SingleInstance<Form2>::isLoaded(), !refused);
    if (!refused) {
        QVERIFY(QTest::qWaitForWindowActive(&form2()));
        QTest::keyClick(form2().windowHandle(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!SingleInstance<Form2>::isLoaded());
    }
    QVERIFY(window.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), control);
}

void TestGenerationThroughWindows::completedRunShowsTheCoreMarkup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bothSides");
    // Bold, italic, underline, strike-through, line breaks.
    QTest::addColumn<QList<bool>>("ticks");
    QTest::addColumn<bool>("heading");
    QTest::addColumn<QString>("listItem");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QStringList>("components");

    const QList<bool> none{false, false, false, false, false};
    QTest::newRow("start values") << u"Huespan"_s << false << none << false << u"指定なし"_s << QString()
                                  << QString() << false
                                  << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("left to right, styles and size")
        << u"虹色の文字 <&>"_s << false << QList<bool>{true, true, true, true, false} << false << u"5"_s
        << u"<P>"_s << u"</P>"_s << false << QStringList{u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    QTest::newRow("both sides, heading, line breaks")
        << u"abcdefghij"_s << true << QList<bool>{false, true, false, false, true} << true << u"H2"_s
        << QString() << u"<BR>"_s << false
        << QStringList{u"10"_s, u"200"_s, u"30"_s, u"250"_s, u"5"_s, u"128"_s};
    QTest::newRow("hexadecimal, empty field")
        << u"0123456789ABCDEF"_s << true << none << true << u"指定なし"_s << QString() << QString() << true
        << QStringList{u"ff"_s, QString(), u"0a"_s, u"8"_s, u"C0"_s, u"FF"_s};
}

void TestGenerationThroughWindows::completedRunShowsTheCoreMarkup()
{
    QFETCH(QString, text);
    QFETCH(bool, bothSides);
    QFETCH(QList<bool>, ticks);
    QFETCH(bool, heading);
    QFETCH(QString, listItem);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, hexadecimal);
    QFETCH(QStringList, components);

    Form1& window = form1();
    window.Text1->setText(text);
    if (bothSides)
        window.Option6->click();
    const QList<QCheckBox*> boxes{window.Check1, window.Check2, window.Check3, window.Check4, window.Check5};
    for (qsizetype index = 0; index < boxes.size(); ++index)
        boxes.at(index)->setChecked(ticks.at(index));
    if (heading) {
        window.Option2->click();
        window.Combo2->setCurrentText(listItem);
    } else {
        window.Combo1->setCurrentText(listItem);
    }
    window.Text2->setText(before);
    window.Text3->setText(after);
    if (hexadecimal)
        window.Option4->click();
    for (qsizetype index = 0; index < components.size(); ++index)
        window.TextC.at(index)->setText(components.at(index));

    GradientSettings expected;
    expected.form = bothSides ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    expected.bold = ticks.at(0);
    expected.italic = ticks.at(1);
    expected.underline = ticks.at(2);
    expected.strike = ticks.at(3);
    expected.lineBreaks = ticks.at(4);
    expected.sizeMode = heading ? SizeMode::Heading : SizeMode::Normal;
    // The list items stand for numbers: "5" for size 5, "H2" for level 2, "指定なし" for none.
    if (listItem != kNoSizeItem)
        (heading ? expected.heading : expected.fontSize) = QStringView(listItem).mid(heading ? 1 : 0).toInt();
    expected.tagsBefore = before;
    expected.tagsAfter = after;
    expected.notation = hexadecimal ? Notation::Hexadecimal : Notation::Decimal;
    std::copy(components.cbegin(), components.cend(), expected.componentTexts.begin());

    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    window.Command1->click();

    QVERIFY(recorder.messages().isEmpty());
    QVERIFY(!SingleInstance<Form4>::isLoaded());
    QVERIFY(SingleInstance<Form2>::isLoaded());
    QCOMPARE(form2().text(), RecordingHost::markupFor(expected, text));
    QCOMPARE(module1().AbortRequested, false);
    QVERIFY(!window.isEnabled());

    form2().close();
    QVERIFY(window.isEnabled());
}

void TestGenerationThroughWindows::abortStopsTheRunWithoutAResult_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<AbortWay>("way");

    QTest::newRow("left to right, 中止") << false << AbortWay::OneClick;
    QTest::newRow("left to right, 中止 twice") << false << AbortWay::TwoClicks;
    QTest::newRow("left to right, close request") << false << AbortWay::CloseRequest;
    QTest::newRow("both sides, 中止") << true << AbortWay::OneClick;
    QTest::newRow("Enter on the focused 中止") << false << AbortWay::EnterOnTheFocusedButton;
    QTest::newRow("Space on the focused 中止") << true << AbortWay::SpaceOnTheFocusedButton;
}

// The button is pressed from a timer that fires during the run's first turn of the event loop,
// as a user's click would be handled.
void TestGenerationThroughWindows::abortStopsTheRunWithoutAResult()
{
    QFETCH(bool, bothSides);
    QFETCH(AbortWay, way);

    const QString text = u"0123456789abcdefghijklmnopqrstuvwxyz"_s;
    Form1& window = form1();
    window.Text1->setText(text);
    if (bothSides)
        window.Option6->click();
    const GradientSettings settings = window.settings();

    bool progressShown = false;
    QString progressText;
    QTimer::singleShot(0, this, [&] {
        progressShown = form4().isVisible();
        progressText = form4().Label1->text();
        switch (way) {
        case AbortWay::OneClick:
            form4().Command1->click();
            break;
        case AbortWay::TwoClicks:
            form4().Command1->click();
            form4().Command1->click();
            break;
        case AbortWay::CloseRequest:
            form4().close();
            break;
        case AbortWay::EnterOnTheFocusedButton:
        case AbortWay::SpaceOnTheFocusedButton:
            form4().Command1->setFocus(Qt::TabFocusReason);
            QTest::keyClick(form4().Command1,
                            way == AbortWay::EnterOnTheFocusedButton ? Qt::Key_Return : Qt::Key_Space);
            break;
        }
    });
    MessageBoxRecorder recorder(MessageBox::Answer::Ok);
    window.Command1->click();

    QVERIFY(progressShown);
    QVERIFY2(progressText.startsWith(u"処理中..."_s), qPrintable(progressText));
    QVERIFY(recorder.messages().isEmpty());
    QVERIFY(!SingleInstance<Form2>::isLoaded());
    QVERIFY(!SingleInstance<Form4>::isLoaded());
    QVERIFY(window.isEnabled());
    QCOMPARE(module1().ResultHtml, RecordingHost::markupFor(settings, text, 1));

    // The window is usable: the next run starts afresh and completes.
    window.Command1->click();
    QVERIFY(SingleInstance<Form2>::isLoaded());
    QCOMPARE(form2().text(), RecordingHost::markupFor(settings, text));
}

} // namespace huespan

QTEST_MAIN(huespan::TestGenerationThroughWindows)
#include "TestGenerationThroughWindows.moc"
