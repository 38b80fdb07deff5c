#include "MarkupGeneration.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "main/Form1.h"
#include "result/Form2.h"
#include "ui/Clipboard.h"
#include "ui/MessageBox.h"
#include "ui/PlainTextView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

QString markupOfLength(int characters, bool lineBreaks)
{
    QString markup = u"<B>"_s;
    for (int index = 0; index < characters; ++index) {
        markup += u"<FONT COLOR=\"#%1\">%2</FONT>"_s.arg(index * 509 % 0x1000000, 6, 16, QChar(u'0'))
                      .arg(QChar(static_cast<char16_t>(u'ア' + index % 40)));
        if (lineBreaks)
            markup += u"\r\n"_s;
    }
    return markup + u"</B>"_s;
}

// What a run leaves behind: the main window disabled and the result shown.
void showResultOfARun(const QString& markup)
{
    Form1& mainWindow = form1();
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    mainWindow.setEnabled(false);
    form2().showResult(markup);
    QVERIFY(QTest::qWaitForWindowExposed(&form2()));
}

} // namespace

class TestResultWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void startState_data();
    void startState();
    void viewFillsTheClientArea_data();
    void viewFillsTheClientArea();
    void showsTheWholeMarkup_data();
    void showsTheWholeMarkup();
    void copyPutsTheWholeTextAlone_data();
    void copyPutsTheWholeTextAlone();
    void closingGivesTheMainWindowBack_data();
    void closingGivesTheMainWindowBack();
    void menuAccessKeysAreUnique_data();
    void menuAccessKeysAreUnique();
    void activatingTheMainWindowActivatesTheResult();
    void controlCharactersShowAsPictures();
    void noMenuTitleStaysLitUnderADialog_data();
    void noMenuTitleStaysLitUnderADialog();
};

void TestResultWindow::cleanup()
{
    unloadAllWindows();
}

void TestResultWindow::startState_data()
{
    addStateRows<Form2>({
        {"title", [](Form2& w) { return QVariant(w.windowTitle()); }, u"結果"_s},
        {"menu commands",
         [](Form2& w) {
             QStringList texts;
             for (QAction* action : w.menuBar()->actions())
                 texts << (action->menu() == nullptr ? action->text() : u"submenu "_s + action->text());
             return QVariant(texts);
         },
         QStringList{u"コピー(&C)"_s, u"プレビュー(&P)"_s, u"submenu 表示(&V)"_s, u"閉じる(&X)"_s}},
        {"view below the menu bar", [](Form2& w) { return QVariant(w.Text1->size()); },
         QSize(6615 / 15, 4605 / 15)},
        {"icon", [](Form2& w) { return QVariant(!w.windowIcon().isNull()); }, true},
        // Owned by the main window, so that the disabled main window cannot be raised over it.
        {"owned by the main window",
         [](Form2& w) { return QVariant(w.windowHandle()->transientParent() == form1().windowHandle()); },
         true},
        {"minimise, maximise and close boxes",
         [](Form2& w) {
             return QVariant(
                 w.windowFlags().testFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint));
         },
         true},
        {"sizable", [](Form2& w) { return QVariant(w.minimumSize() != w.maximumSize()); }, true},
    });
}

void TestResultWindow::startState()
{
    showResultOfARun(u"x"_s);
    compareStateRow(form2());
}

void TestResultWindow::viewFillsTheClientArea_data()
{
    QTest::addColumn<QList<QSize>>("sizes");

    QTest::newRow("larger") << QList<QSize>{{900, 700}};
    QTest::newRow("very small") << QList<QSize>{{40, 40}};
    QTest::newRow("tiny then large again") << QList<QSize>{{30, 30}, {1000, 600}};
    QTest::newRow("wide and low") << QList<QSize>{{1200, 90}};
}

void TestResultWindow::viewFillsTheClientArea()
{
    QFETCH(QList<QSize>, sizes);

    showResultOfARun(markupOfLength(200, true));
    Form2& window = form2();
    for (const QSize& size : sizes) {
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        const int menuBottom = window.menuBar()->geometry().bottom() + 1;
        QCOMPARE(window.Text1->geometry(), QRect(0, menuBottom, size.width(), size.height() - menuBottom));
    }

    window.showMinimized();
    window.showNormal();
    QTRY_COMPARE(window.size(), sizes.last());
    const int menuBottom = window.menuBar()->geometry().bottom() + 1;
    QCOMPARE(window.Text1->geometry().bottomRight(),
             QPoint(sizes.last().width() - 1, sizes.last().height() - 1));
    QCOMPARE(window.Text1->geometry().topLeft(), QPoint(0, menuBottom));
}

void TestResultWindow::showsTheWholeMarkup_data()
{
    QTest::addColumn<QString>("markup");

    QTest::newRow("short") << markupOfLength(3, false);
    QTest::newRow("longest run, one line") << markupOfLength(32767, false);
    QTest::newRow("longest run, line breaks") << markupOfLength(32767, true);
    QTest::newRow("characters outside the basic plane") << u"<B>😀</B>\r\n"_s;
}

void TestResultWindow::showsTheWholeMarkup()
{
    QFETCH(QString, markup);

    showResultOfARun(markup);
    QCOMPARE(form2().text(), markup);
    QCOMPARE(form2().Text1->toPlainText(), markup);
    QVERIFY(form2().isVisible());
    QVERIFY(!form2().isModal());
}

void TestResultWindow::copyPutsTheWholeTextAlone_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<int>("selectionFrom");
    QTest::addColumn<int>("selectionTo");

    QTest::newRow("nothing selected") << markupOfLength(5, true) << 0 << 0;
    QTest::newRow("part selected") << markupOfLength(5, true) << 10 << 40;
    QTest::newRow("all selected") << markupOfLength(5, false) << 0 << -1;
    QTest::newRow("longest run") << markupOfLength(32767, false) << 100 << 200;
}

void TestResultWindow::copyPutsTheWholeTextAlone()
{
    QFETCH(QString, markup);
    QFETCH(int, selectionFrom);
    QFETCH(int, selectionTo);

    // Something else, in several formats, was on the clipboard before.
    auto* previous = new QMimeData;
    previous->setHtml(u"<b>old</b>"_s);
    previous->setText(u"old"_s);
    previous->setData(u"application/x-huespan-test"_s, "old");
    QGuiApplication::clipboard()->setMimeData(previous);

    showResultOfARun(markup);
    form2().Text1->setSelection(selectionFrom, selectionTo < 0 ? markup.size() : selectionTo);
    form2().mnuCopy->trigger();

    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    QVERIFY(now != nullptr);
    QCOMPARE(now->text(), markup);
    QVERIFY(!now->hasHtml());
    QVERIFY(!now->hasFormat(u"application/x-huespan-test"_s));
}

void TestResultWindow::closingGivesTheMainWindowBack_data()
{
    QTest::addColumn<bool>("byMenu");

    QTest::newRow("閉じる(&X)") << true;
    QTest::newRow("close box") << false;
}

void TestResultWindow::closingGivesTheMainWindowBack()
{
    QFETCH(bool, byMenu);

    showResultOfARun(markupOfLength(10, false));
    QVERIFY(!form1().isEnabled());
    QPointer<Form2> window = &form2();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    if (byMenu)
        window->mnuClose->trigger();
    else
        window->windowHandle()->close();

    QVERIFY(!SingleInstance<Form2>::isLoaded());
    QVERIFY(form1().isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(&form1()));
    QTRY_VERIFY(window.isNull());
    // The next result opens a window of its own, in its first state.
    QCOMPARE(form2().text(), u"Text1"_s);
}

// The access key of each item that has one, as Qt reads it from the caption.
static QStringList accessKeys(const QList<QAction*>& actions)
{
    QStringList keys;
    for (const QAction* action : actions) {
        if (const QKeySequence key = QKeySequence::mnemonic(action->text()); !key.isEmpty())
            keys.append(key.toString());
    }
    return keys;
}

void TestResultWindow::menuAccessKeysAreUnique_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("mustHaveKeys");

    QTest::newRow("menu bar") << u"bar"_s
                              << QStringList{u"コピー"_s, u"プレビュー"_s, u"表示"_s, u"閉じる"_s};
    QTest::newRow("表示") << u"view"_s << QStringList{u"コード"_s, u"色見本"_s, u"コントラスト不足に印"_s};
    QTest::newRow("the whole window") << u"all"_s << QStringList{u"コード"_s, u"色見本"_s};
}

// Within a menu an access key picks one item; the window's keys are unique across its menus too, so
// that each stands for one command wherever the user is.
void TestResultWindow::menuAccessKeysAreUnique()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, mustHaveKeys);

    showResultOfARun(u"x"_s);
    QList<QAction*> bar = form2().menuBar()->actions();
    QList<QAction*> view;
    QList<QAction*> all = bar;
    for (QAction* title : std::as_const(bar)) {
        if (title->menu() == nullptr)
            continue;
        view.append(title->menu()->actions());
        for (QAction* item : title->menu()->actions()) {
            all.append(item);
            if (item->menu() != nullptr)
                all.append(item->menu()->actions());
        }
    }
    const QList<QAction*> actions = menu == u"bar"_s ? bar : menu == u"view"_s ? view : all;
    const QStringList keys = accessKeys(actions);
    QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
    for (const QString& caption : std::as_const(mustHaveKeys)) {
        const auto found = std::find_if(actions.cbegin(), actions.cend(), [&](const QAction* action) {
            return action->text().startsWith(caption);
        });
        QVERIFY2(found != actions.cend(), qPrintable(caption));
        QCOMPARE(accessKeys({*found}).size(), 1);
    }
}

// A click on the disabled main window's title bar may make it active; the activation passes on, and
// the keys reach the result window.
void TestResultWindow::activatingTheMainWindowActivatesTheResult()
{
    showResultOfARun(u"<B>x</B>"_s);
    QVERIFY(QTest::qWaitForWindowActive(&form2()));
    QList<QWindow*> activated;
    const QObject listening;
    connect(qApp, &QGuiApplication::focusWindowChanged, &listening,
            [&](QWindow* window) { activated.append(window); });
    form1().activateWindow();
    QTRY_VERIFY(activated.contains(form1().windowHandle()));
    QTRY_COMPARE(QApplication::activeWindow(), &form2());
    QCOMPARE(QApplication::focusWidget(), form2().Text1);

    QStringList copied;
    Clipboard::setHandler([&](const QString& text) { copied.append(text); });
    const auto realClipboard = qScopeGuard([] { Clipboard::setHandler({}); });
    QTest::keyClick(form2().windowHandle(), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(copied, QStringList{u"<B>x</B>"_s});
}

// The code view shows a terminal's escapes as pictures; the copy is the markup, escapes and all.
void TestResultWindow::controlCharactersShowAsPictures()
{
    GradientSettings settings;
    settings.extended.format = OutputFormat::Ansi;
    settings.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    const MarkupOutcome outcome = generateMarkup(u"ab\x7f"_s, settings);
    QVERIFY(outcome.markup.has_value());
    const QString markup = *outcome.markup;
    QVERIFY(markup.startsWith(u'\x1b'));

    showResultOfARun(markup + u"\r\n\tz"_s);
    PlainTextView* view = form2().Text1;
    QString pictures = markup;
    pictures.replace(u'\x1b', u'\u241b');
    QCOMPARE(view->shownText(0, view->toPlainText().size()), pictures + u"\r\n\tz"_s);
    QCOMPARE(view->lineCount(), 2);

    // Drawn as the same text with the pictures typed in, in the same window.
    auto* typed = new PlainTextView(&form2());
    typed->setPlainText(pictures + u"\r\n\tz"_s);
    typed->setGeometry(view->geometry());
    typed->show();
    view->clearFocus();
    QCOMPARE(view->viewport()->grab().toImage(), typed->viewport()->grab().toImage());

    QStringList copied;
    Clipboard::setHandler([&](const QString& text) { copied.append(text); });
    const auto realClipboard = qScopeGuard([] { Clipboard::setHandler({}); });
    form2().mnuCopy->trigger();
    view->setSelection(0, 1);
    view->copy();
    QCOMPARE(copied, (QStringList{markup + u"\r\n\tz"_s, u"\x1b"_s}));
}

void TestResultWindow::noMenuTitleStaysLitUnderADialog_data()
{
    QTest::addColumn<bool>("mainWindow");
    QTest::addColumn<int>("key");

    QTest::newRow("main window, Alt+A") << true << int(Qt::Key_A);
    QTest::newRow("main window, Alt+S") << true << int(Qt::Key_S);
    QTest::newRow("result window, Alt+P") << false << int(Qt::Key_P);
}

void TestResultWindow::noMenuTitleStaysLitUnderADialog()
{
    QFETCH(bool, mainWindow);
    QFETCH(int, key);

    QMainWindow* window = &form1();
    if (mainWindow) {
        form1().show();
    } else {
        showResultOfARun(u"x"_s);
        window = &form2();
    }
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget* dialog = nullptr;
    QAction* litUnderTheDialog = nullptr;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        dialog = QApplication::activeModalWidget();
        if (dialog == nullptr)
            return;
        watcher.stop();
        litUnderTheDialog = window->menuBar()->activeAction();
        dialog->close();
    });
    watcher.start(10);
    QTest::keyClick(window->windowHandle(), Qt::Key(key), Qt::AltModifier);
    QVERIFY(dialog != nullptr);
    QCOMPARE(litUnderTheDialog, nullptr);
}

} // namespace huespan

QTEST_MAIN(huespan::TestResultWindow)
#include "TestResultWindow.moc"
