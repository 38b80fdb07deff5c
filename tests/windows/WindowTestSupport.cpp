#include "WindowTestSupport.h"

#include "WindowSet.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/MessageBox.h"
#include "ui/ProgramLook.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <algorithm>

namespace huespan {

namespace {

// The program's shell names its version at start-up, and windows show it from there; every
// window test program does the same before its first window opens.
void nameTheVersion()
{
    QCoreApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));
}

Q_COREAPP_STARTUP_FUNCTION(nameTheVersion)

} // namespace

MessageBoxRecorder::MessageBoxRecorder(MessageBox::Answer answer)
    : m_answer(answer)
{
    MessageBox::setHandler([this](const QString& text, MessageBox::Style style) {
        m_messages.append({text, style});
        return m_answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    MessageBox::setHandler({});
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList texts;
    for (const Message& message : m_messages)
        texts.append(message.text);
    return texts;
}

void typeText(QWidget* target, const QString& text)
{
    for (const QChar character : text) {
        const bool onKeyboard = character.isLetterOrNumber() && character.unicode() < 0x80;
        const int key = onKeyboard ? int(QChar::toUpper(character.unicode())) : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(target, &release);
    }
}

void placeCaretAtEnd(QLineEdit* field)
{
    field->setFocus(Qt::OtherFocusReason);
    field->end(false);
}

QMenu* openContextMenu(QLineEdit* field)
{
    const QPoint inside = field->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, inside, field->mapToGlobal(inside));
    QApplication::sendEvent(field, &request);
    const QList<QMenu*> menus = field->findChildren<QMenu*>();
    for (QMenu* menu : menus) {
        if (menu->isVisible())
            return menu;
    }
    return nullptr;
}

void pasteThroughContextMenu(QLineEdit* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QMenu* menu = openContextMenu(field);
    if (menu == nullptr) {
        qWarning("no context menu");
        return;
    }
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->text() == QCoreApplication::translate("QLineEdit", "&Paste"))
            action->trigger();
    }
    menu->close();
}

QList<QWidget*> tabStops(int count, bool backwards)
{
    QList<QWidget*> visited;
    for (int step = 0; step < count; ++step) {
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        visited.append(QApplication::focusWidget());
    }
    return visited;
}

QList<QWidget*> stopsAroundTheCycle(const QList<QWidget*>& cycle, bool backwards)
{
    if (!backwards)
        return cycle.mid(1);
    QList<QWidget*> stops = cycle.mid(0, cycle.size() - 1);
    std::reverse(stops.begin(), stops.end());
    return stops;
}

void unloadAllWindows()
{
    MessageBoxRecorder yes(MessageBox::Answer::Yes);
    if (SingleInstance<Form2>::isLoaded())
        form2().close();
    Form4::unload();
    if (SingleInstance<Form1>::isLoaded()) {
        form1().setEnabled(true);
        form1().close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void MainWindowTestCase::initTestCase()
{
    applyProgramLook(*qApp);
}

void MainWindowTestCase::init()
{
    unloadAllWindows();
    form1().show();
    QVERIFY(QTest::qWaitForWindowActive(&form1()));
}

void MainWindowTestCase::cleanup()
{
    unloadAllWindows();
}

} // namespace huespan
