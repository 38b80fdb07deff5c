#include "WindowTestSupport.h"

#include "WindowSet.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/MessageBox.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

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
