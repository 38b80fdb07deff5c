#include "Module1.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "main/Form1.h"
#include "result/Form3.h"
#include "ui/ColourComponentFields.h"
#include "ui/ColourPicker.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

class TestColourComponentFields final : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void typingFollowsTheNotation_data();
    void typingFollowsTheNotation();
    void backspaceEmptiesWithoutRepainting();
    void clipboardShortcutsDoNothing_data();
    void clipboardShortcutsDoNothing();
    void inputMethodCommitsAreFiltered_data();
    void inputMethodCommitsAreFiltered();
    void pasteTakesWhatTypingCould_data();
    void pasteTakesWhatTypingCould();
    void pasteOfAColourCodeFillsTheTriple_data();
    void pasteOfAColourCodeFillsTheTriple();
    void swatchOpensTheColourDialog_data();
    void swatchOpensTheColourDialog();
    void contextMenuListsNoShortcutTheFieldRefuses();
    void switchingRewritesEveryField();
    void clickingTheNotationInForceRewritesNothing_data();
    void clickingTheNotationInForceRewritesNothing();
    void swatchesShowTheirTriples_data();
    void swatchesShowTheirTriples();
    void emptyFieldInDecimalKeepsItsSwatch();
    void emptyFieldInHexadecimalCountsZero();
    void enteringAFieldSelectsItsText_data();
    void enteringAFieldSelectsItsText();
    void oneTripleHostKeepsTheInputMethod();

private:
    static void useHexadecimal(bool hexadecimal);
    static void setTexts(const QStringList& texts);
    static QStringList texts();
};

namespace {

QColor colourOf(const QWidget* swatch)
{
    return ColourComponentFields::swatchColour(swatch);
}

} // namespace

void TestColourComponentFields::useHexadecimal(bool hexadecimal)
{
    (hexadecimal ? form1().Option4 : form1().Option3)->click();
}

void TestColourComponentFields::setTexts(const QStringList& texts)
{
    for (qsizetype index = 0; index < texts.size(); ++index)
        form1().TextC.at(index)->setText(texts.at(index));
}

QStringList TestColourComponentFields::texts()
{
    QStringList texts;
    for (const QLineEdit* field : std::as_const(form1().TextC))
        texts.append(field->text());
    return texts;
}

void TestColourComponentFields::typingFollowsTheNotation_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal digit") << false << 0 << u"1"_s << u"2"_s << u"12"_s;
    QTest::newRow("decimal x") << false << 1 << u"1"_s << u"x"_s << u"1"_s;
    QTest::newRow("decimal a") << false << 2 << u"1"_s << u"a"_s << u"1"_s;
    QTest::newRow("decimal minus") << false << 3 << u"1"_s << u"-"_s << u"1"_s;
    QTest::newRow("decimal blank") << false << 4 << u"1"_s << u" "_s << u"1"_s;
    QTest::newRow("decimal full-width digit") << false << 5 << u"1"_s << u"５"_s << u"1"_s;
    QTest::newRow("decimal 25 then 6") << false << 0 << u"25"_s << u"6"_s << u"255"_s;
    QTest::newRow("hexadecimal 10 then 0 clamps") << true << 4 << u"10"_s << u"0"_s << u"FF"_s;
    QTest::newRow("decimal 25 then 9 clamps") << false << 1 << u"25"_s << u"9"_s << u"255"_s;
    QTest::newRow("decimal 0 then 7") << false << 2 << u"0"_s << u"7"_s << u"7"_s;
    QTest::newRow("decimal into empty") << false << 3 << QString() << u"42"_s << u"42"_s;
    QTest::newRow("hexadecimal a as typed") << true << 0 << u"1"_s << u"a"_s << u"1a"_s;
    QTest::newRow("hexadecimal F as typed") << true << 1 << u"0"_s << u"F"_s << u"0F"_s;
    QTest::newRow("hexadecimal g") << true << 2 << u"1"_s << u"g"_s << u"1"_s;
    QTest::newRow("hexadecimal x") << true << 3 << u"1"_s << u"x"_s << u"1"_s;
    QTest::newRow("hexadecimal full-width digit") << true << 4 << u"1"_s << u"５"_s << u"1"_s;
    QTest::newRow("hexadecimal full-width letter") << true << 5 << u"1"_s << u"ａ"_s << u"1"_s;
    QTest::newRow("hexadecimal f stays") << true << 0 << QString() << u"f"_s << u"f"_s;
    QTest::newRow("hexadecimal ff stays") << true << 1 << QString() << u"ff"_s << u"ff"_s;
    QTest::newRow("hexadecimal third f") << true << 2 << QString() << u"fff"_s << u"FF"_s;
    QTest::newRow("hexadecimal 0f stays") << true << 3 << u"0"_s << u"f"_s << u"0f"_s;
}

void TestColourComponentFields::typingFollowsTheNotation()
{
    QFETCH(bool, hexadecimal);
    QFETCH(int, index);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    useHexadecimal(hexadecimal);
    QLineEdit* field = form1().TextC.at(index);
    field->setText(start);
    placeCaretAtEnd(field);
    typeText(field, typed);
    QCOMPARE(field->text(), expected);
}

void TestColourComponentFields::backspaceEmptiesWithoutRepainting()
{
    QLineEdit* field = form1().TextC.at(0);
    field->setText(u"12"_s);
    const QColor before = colourOf(form1().Picture1);
    QCOMPARE(before, QColor(12, 0, 0));
    placeCaretAtEnd(field);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), u"1"_s);
    QCOMPARE(colourOf(form1().Picture1), QColor(1, 0, 0));
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QString());
    QCOMPARE(colourOf(form1().Picture1), QColor(1, 0, 0));
    QCOMPARE(form1().settings().componentTexts[0], QString());
}

void TestColourComponentFields::clipboardShortcutsDoNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift+Backspace")
        << int(Qt::Key_Backspace) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Alt+Backspace") << int(Qt::Key_Backspace) << int(Qt::AltModifier);
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
}

void TestColourComponentFields::clipboardShortcutsDoNothing()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);

    QApplication::clipboard()->setText(u"7"_s);
    QLineEdit* field = form1().TextC.at(1);
    field->setText(u"12"_s);
    // Typed, so that there is something to undo.
    placeCaretAtEnd(field);
    typeText(field, u"3"_s);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(field->text(), u"123"_s);
    // Nor with the caret after the text, where a word would go.
    field->end(false);
    QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(field->text(), u"123"_s);
    QCOMPARE(QApplication::clipboard()->text(), u"7"_s);
}

void TestColourComponentFields::inputMethodCommitsAreFiltered_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal full-width digit") << false << u"５"_s << u"1"_s;
    QTest::newRow("hexadecimal full-width digit") << true << u"５"_s << u"1"_s;
    QTest::newRow("decimal digit") << false << u"5"_s << u"15"_s;
    QTest::newRow("decimal letter") << false << u"a"_s << u"1"_s;
    QTest::newRow("hexadecimal letter") << true << u"a"_s << u"1a"_s;
    QTest::newRow("decimal mixed") << false << u"２4ｘ"_s << u"14"_s;
}

void TestColourComponentFields::inputMethodCommitsAreFiltered()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QString, committed);
    QFETCH(QString, expected);

    useHexadecimal(hexadecimal);
    QLineEdit* field = form1().TextC.at(2);
    field->setText(u"1"_s);
    placeCaretAtEnd(field);
    QInputMethodEvent commit;
    commit.setCommitString(committed);
    QApplication::sendEvent(field, &commit);
    QCOMPARE(field->text(), expected);
}

void TestColourComponentFields::pasteTakesWhatTypingCould_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("swatchBlue");

    QTest::newRow("decimal leading zeros") << false << u"007"_s << u"7"_s << 7;
    QTest::newRow("decimal above range") << false << u"300"_s << u"255"_s << 255;
    QTest::newRow("decimal letters only: nothing") << false << u"abc"_s << u"0"_s << 0;
    QTest::newRow("decimal digits among junk") << false << u" -12xyz!!ＦＦ"_s << u"12"_s << 12;
    QTest::newRow("decimal signs and blanks dropped") << false << u"+4 2\t"_s << u"42"_s << 42;
    QTest::newRow("decimal line break dropped") << false << u"9\r\n"_s << u"9"_s << 9;
    QTest::newRow("decimal full-width digits: nothing") << false << u"１２"_s << u"0"_s << 0;
    QTest::newRow("decimal backspace character dropped") << false << u"1\b2"_s << u"12"_s << 12;
    QTest::newRow("decimal empty clipboard") << false << QString() << u"0"_s << 0;
    QTest::newRow("hexadecimal digits among junk") << true << u" -12xyz!!ＦＦ"_s << u"12"_s << 0x12;
    QTest::newRow("hexadecimal above range") << true << u"1FF"_s << u"FF"_s << 255;
    QTest::newRow("hexadecimal in range stays as typed") << true << u"0fF"_s << u"0fF"_s << 255;
    QTest::newRow("hexadecimal letters past f dropped") << true << u"bag"_s << u"ba"_s << 0xba;
    QTest::newRow("hexadecimal full-width letters: nothing") << true << u"ＦＦ"_s << u"0"_s << 0;
}

// The fields take text from the clipboard as if it were typed: what the key filter refuses never
// shows, and the change rule runs on the rest.
void TestColourComponentFields::pasteTakesWhatTypingCould()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(int, swatchBlue);

    useHexadecimal(hexadecimal);
    QLineEdit* field = form1().TextC.at(5);
    field->setFocus();
    field->selectAll();
    pasteThroughContextMenu(field, pasted);
    QCOMPARE(field->text(), expected);
    QCOMPARE(colourOf(form1().Picture2).blue(), swatchBlue);
    QCOMPARE(form1().settings().componentTexts[5], expected);
}

void TestColourComponentFields::pasteOfAColourCodeFillsTheTriple_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pasted");
    // The texts of the field's triple after the paste.
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("#RRGGBB, decimal, into red")
        << false << 0 << u"#FF8000"_s << QStringList{u"255"_s, u"128"_s, u"0"_s};
    QTest::newRow("RRGGBB in lower case, hexadecimal, into blue")
        << true << 5 << u"0a80ff"_s << QStringList{u"A"_s, u"80"_s, u"FF"_s};
    QTest::newRow("#RRGGBB with blanks and a line break")
        << false << 4 << u" #102030\r\n"_s << QStringList{u"16"_s, u"32"_s, u"48"_s};
    QTest::newRow("rgb() with spaces, hexadecimal")
        << true << 1 << u"rgb(16, 32, 255)"_s << QStringList{u"10"_s, u"20"_s, u"FF"_s};
    QTest::newRow("rgb() without spaces, decimal")
        << false << 2 << u"rgb(1,2,3)"_s << QStringList{u"1"_s, u"2"_s, u"3"_s};
    QTest::newRow("RGB() in capitals, blanks everywhere")
        << false << 3 << u" RGB ( 7 ,8 , 9 ) "_s << QStringList{u"7"_s, u"8"_s, u"9"_s};
    // Anything else is taken as typed, into the one field.
    QTest::newRow("five digits") << false << 0 << u"#FF80"_s << QStringList{u"80"_s, u"0"_s, u"0"_s};
    QTest::newRow("eight digits") << true << 0 << u"#FF8000FF"_s << QStringList{u"FF"_s, u"0"_s, u"0"_s};
    QTest::newRow("not hexadecimal") << true << 3 << u"#GG0000"_s << QStringList{u"0000"_s, u"0"_s, u"0"_s};
    QTest::newRow("rgb() above 255") << false << 0 << u"rgb(256, 0, 0)"_s
                                     << QStringList{u"255"_s, u"0"_s, u"0"_s};
    QTest::newRow("rgb() of two") << false << 0 << u"rgb(1, 2)"_s << QStringList{u"12"_s, u"0"_s, u"0"_s};
    QTest::newRow("components without rgb()")
        << false << 0 << u"1,2,3"_s << QStringList{u"123"_s, u"0"_s, u"0"_s};
    QTest::newRow("rgb() of six digits")
        << true << 0 << u"rgb(102030)"_s << QStringList{u"FF"_s, u"0"_s, u"0"_s};
    QTest::newRow("two colours") << false << 0 << u"#000001 #000002"_s
                                 << QStringList{u"255"_s, u"0"_s, u"0"_s};
}

// A whole colour code pasted into any field of a triple fills the three, in the notation in force.
void TestColourComponentFields::pasteOfAColourCodeFillsTheTriple()
{
    QFETCH(bool, hexadecimal);
    QFETCH(int, index);
    QFETCH(QString, pasted);
    QFETCH(QStringList, expected);

    useHexadecimal(hexadecimal);
    QLineEdit* field = form1().TextC.at(index);
    field->setFocus();
    field->selectAll();
    pasteThroughContextMenu(field, pasted);
    const qsizetype first = index / 3 * 3;
    const QStringList triple = texts().mid(first, 3);
    // The other triple is left alone.
    QCOMPARE(texts().mid(3 - first, 3), QStringList(3, u"0"_s));
    QCOMPARE(triple, expected);
    const int base = hexadecimal ? 16 : 10;
    QCOMPARE(colourOf(first == 0 ? form1().Picture1 : form1().Picture2),
             QColor(std::min(255, triple.at(0).toInt(nullptr, base)), triple.at(1).toInt(nullptr, base),
                    triple.at(2).toInt(nullptr, base)));
}

void TestColourComponentFields::swatchOpensTheColourDialog_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("triple");
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<bool>("hexadecimal");
    // Invalid: the dialog is cancelled.
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first swatch, decimal")
        << u"main"_s << 0 << false << false << QColor(255, 128, 0) << QStringList{u"255"_s, u"128"_s, u"0"_s};
    QTest::newRow("second swatch, hexadecimal")
        << u"main"_s << 1 << false << true << QColor(10, 0, 200) << QStringList{u"A"_s, u"0"_s, u"C8"_s};
    QTest::newRow("second swatch, cancelled")
        << u"main"_s << 1 << false << false << QColor() << QStringList{u"1"_s, u"2"_s, u"3"_s};
    QTest::newRow("色を選ぶ… of the first colour, hexadecimal")
        << u"main"_s << 0 << true << true << QColor(0, 255, 16) << QStringList{u"0"_s, u"FF"_s, u"10"_s};
    QTest::newRow("preview background, decimal")
        << u"preview"_s << 0 << false << false << QColor(1, 2, 250) << QStringList{u"1"_s, u"2"_s, u"250"_s};
    QTest::newRow("preview background by menu, hexadecimal")
        << u"preview"_s << 0 << true << true << QColor(171, 205, 239)
        << QStringList{u"AB"_s, u"CD"_s, u"EF"_s};
}

// The dialog opens on the swatch's colour; its choice is written in the window's notation, and the
// change rule repaints the swatch.
void TestColourComponentFields::swatchOpensTheColourDialog()
{
    QFETCH(QString, window);
    QFETCH(int, triple);
    QFETCH(bool, byMenu);
    QFETCH(bool, hexadecimal);
    QFETCH(QColor, chosen);
    QFETCH(QStringList, expected);

    const bool preview = window == u"preview"_s;
    QList<QLineEdit*> fields = preview ? form3().TextC : form1().TextC.mid(triple * 3, 3);
    QWidget* swatch = preview ? form3().Picture1 : triple == 0 ? form1().Picture1 : form1().Picture2;
    const auto background = module1().PreviewBackground;
    const auto closePreview = qScopeGuard([preview, background] {
        if (preview)
            form3().Command2->click();
        module1().PreviewBackground = background;
    });
    if (preview)
        form3().show();
    (hexadecimal ? (preview ? form3().Option2 : form1().Option4)
                 : (preview ? form3().Option1 : form1().Option3))
        ->click();
    for (qsizetype index = 0; index < 3; ++index)
        fields.at(index)->setText(QString::number(index + 1));
    const QColor before = colourOf(swatch);
    QCOMPARE(before, QColor(1, 2, 3));

    QList<QColor> offered;
    ColourPicker::setHandler([&](const QColor& initial, QWidget*) {
        offered.append(initial);
        return chosen;
    });
    const auto realDialog = qScopeGuard([] { ColourPicker::setHandler({}); });
    if (byMenu) {
        QMenu* menu = openContextMenu(fields.at(1));
        QVERIFY(menu != nullptr);
        const QList<QAction*> actions = menu->actions();
        for (QAction* action : actions) {
            if (action->text() == u"色を選ぶ…"_s)
                action->trigger();
        }
        menu->close();
    } else {
        QTest::mouseClick(swatch, Qt::LeftButton, {}, swatch->rect().center());
    }

    QCOMPARE(offered, QList<QColor>{before});
    QStringList written;
    for (const QLineEdit* field : std::as_const(fields))
        written.append(field->text());
    QCOMPARE(written, expected);
    QCOMPARE(colourOf(swatch), chosen.isValid() ? chosen : before);
}

void TestColourComponentFields::contextMenuListsNoShortcutTheFieldRefuses()
{
    QMenu* menu = openContextMenu(form1().TextC.at(0));
    QVERIFY(menu != nullptr);
    QStringList shortcuts;
    QStringList names;
    const QList<QAction*> actions = menu->actions();
    for (const QAction* action : actions) {
        const qsizetype tab = action->text().indexOf(u'\t');
        names.append(action->text().left(tab));
        if (tab >= 0)
            shortcuts.append(action->text().mid(tab + 1));
    }
    menu->close();
    QVERIFY(names.contains(QCoreApplication::translate("QLineEdit", "&Paste")));
    QVERIFY(names.contains(QCoreApplication::translate("QLineEdit", "&Undo")));
    QVERIFY(names.contains(QCoreApplication::translate("QLineEdit", "Select All")));
    for (const QString& shortcut : std::as_const(shortcuts)) {
        const QKeySequence sequence = QKeySequence::fromString(shortcut, QKeySequence::NativeText);
        QVERIFY2(!sequence[0].keyboardModifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier |
                                                               Qt::MetaModifier),
                 qPrintable(shortcut));
    }
}

void TestColourComponentFields::switchingRewritesEveryField()
{
    setTexts({u"255"_s, u"128"_s, u"0"_s, u"16"_s, QString(), u"9"_s});

    form1().Option4->click();
    QCOMPARE(texts(), (QStringList{u"FF"_s, u"80"_s, u"0"_s, u"10"_s, u"0"_s, u"9"_s}));
    QVERIFY(!form1().colourFields().decimalNotation());
    QCOMPARE(colourOf(form1().Picture1), QColor(255, 128, 0));
    QCOMPARE(colourOf(form1().Picture2), QColor(16, 0, 9));

    form1().Option3->click();
    QCOMPARE(texts(), (QStringList{u"255"_s, u"128"_s, u"0"_s, u"16"_s, u"0"_s, u"9"_s}));
    QVERIFY(form1().colourFields().decimalNotation());
    QCOMPARE(colourOf(form1().Picture1), QColor(255, 128, 0));
    QCOMPARE(colourOf(form1().Picture2), QColor(16, 0, 9));
}

void TestColourComponentFields::clickingTheNotationInForceRewritesNothing_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QString>("text");

    // A rewrite would turn the empty text into "0" and 0f into "F" or "15".
    QTest::newRow("decimal, empty field") << false << QString();
    QTest::newRow("hexadecimal, leading zero") << true << u"0f"_s;
}

void TestColourComponentFields::clickingTheNotationInForceRewritesNothing()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QString, text);

    useHexadecimal(hexadecimal);
    form1().TextC.at(4)->setText(text);
    useHexadecimal(hexadecimal);
    QCOMPARE(form1().TextC.at(4)->text(), text);
    QCOMPARE(form1().colourFields().decimalNotation(), !hexadecimal);
}

void TestColourComponentFields::swatchesShowTheirTriples_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");

    QTest::newRow("decimal") << false << QStringList{u"255"_s, u"128"_s, u"0"_s, u"16"_s, u"32"_s, u"64"_s}
                             << QColor(255, 128, 0) << QColor(16, 32, 64);
    QTest::newRow("hexadecimal") << true << QStringList{u"ff"_s, u"80"_s, u"0"_s, u"10"_s, u"2A"_s, u"c"_s}
                                 << QColor(255, 128, 0) << QColor(16, 42, 12);
    QTest::newRow("hexadecimal with empty fields")
        << true << QStringList{u"a"_s, QString(), u"b"_s, QString(), u"7f"_s, QString()} << QColor(10, 0, 11)
        << QColor(0, 127, 0);
}

void TestColourComponentFields::swatchesShowTheirTriples()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QStringList, texts);
    QFETCH(QColor, first);
    QFETCH(QColor, second);

    useHexadecimal(hexadecimal);
    setTexts(texts);
    QCOMPARE(colourOf(form1().Picture1), first);
    QCOMPARE(colourOf(form1().Picture2), second);
}

void TestColourComponentFields::emptyFieldInDecimalKeepsItsSwatch()
{
    setTexts({u"10"_s, u"20"_s, u"30"_s, u"40"_s, u"50"_s, u"60"_s});
    form1().TextC.at(1)->clear();
    form1().TextC.at(3)->setText(u"70"_s);
    QCOMPARE(colourOf(form1().Picture1), QColor(10, 20, 30));
    QCOMPARE(colourOf(form1().Picture2), QColor(70, 50, 60));
}

void TestColourComponentFields::emptyFieldInHexadecimalCountsZero()
{
    useHexadecimal(true);
    setTexts({u"10"_s, u"20"_s, u"30"_s, u"40"_s, u"50"_s, u"60"_s});
    form1().TextC.at(1)->clear();
    form1().TextC.at(3)->setText(u"70"_s);
    QCOMPARE(colourOf(form1().Picture1), QColor(0x10, 0, 0x30));
    QCOMPARE(colourOf(form1().Picture2), QColor(0x70, 0x50, 0x60));
}

void TestColourComponentFields::enteringAFieldSelectsItsText_data()
{
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("tab key") << false;
    QTest::newRow("mouse click") << true;
}

void TestColourComponentFields::enteringAFieldSelectsItsText()
{
    QFETCH(bool, byMouse);

    QLineEdit* field = form1().TextC.at(0);
    field->setText(u"128"_s);
    if (byMouse) {
        form1().Text1->setFocus();
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2, field->height() / 2));
    } else {
        form1().Text1->setFocus();
        QTest::keyClick(form1().Text1, Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->selectionStart(), 0);
    QCOMPARE(field->selectedText(), u"128"_s);
    typeText(field, u"9"_s);
    QCOMPARE(field->text(), u"9"_s);
}

// The preview dialog's binding: one triple, and the input method left as the user has it.
void TestColourComponentFields::oneTripleHostKeepsTheInputMethod()
{
    QWidget host;
    QList<QLineEdit*> fields;
    for (int index = 0; index < 3; ++index)
        fields.append(new QLineEdit(u"0"_s, &host));
    auto* swatch = new QWidget(&host);
    auto* decimal = new QRadioButton(&host);
    auto* hexadecimal = new QRadioButton(&host);
    decimal->setChecked(true);
    ColourComponentFields colourFields(fields, {swatch}, decimal, hexadecimal, false, nullptr);

    QVERIFY(fields.at(0)->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(!form1().TextC.at(0)->testAttribute(Qt::WA_InputMethodEnabled));

    fields.at(1)->setText(u"400"_s);
    fields.at(2)->setText(u"7"_s);
    QCOMPARE(fields.at(1)->text(), u"255"_s);
    QCOMPARE(colourOf(swatch), QColor(0, 255, 7));
    hexadecimal->click();
    QCOMPARE(fields.at(1)->text(), u"FF"_s);
    typeText(fields.at(2), u"g"_s);
    QCOMPARE(fields.at(2)->text(), u"7"_s);
}

} // namespace huespan

QTEST_MAIN(huespan::TestColourComponentFields)
#include "TestColourComponentFields.moc"
