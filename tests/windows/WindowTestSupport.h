#pragma once

#include "ui/MessageBox.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTest>
#include <QVariant>
#include <functional>
#include <initializer_list>

class QLineEdit;
class QMenu;
class QWidget;

namespace huespan {

// Stands in for every message box while it lives: writes down what was asked and answers.
class MessageBoxRecorder final
{
public:
    struct Message
    {
        QString text;
        MessageBox::Style style = MessageBox::Style::Information;
    };

    explicit MessageBoxRecorder(MessageBox::Answer answer);
    ~MessageBoxRecorder();
    Q_DISABLE_COPY_MOVE(MessageBoxRecorder)

    void setAnswer(MessageBox::Answer answer) { m_answer = answer; }
    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const;

private:
    QList<Message> m_messages;
    MessageBox::Answer m_answer;
};

// Types text the way a keyboard does: one key press and release per character, each carrying
// its character, so that characters outside Latin-1 arrive as they would from a keyboard.
void typeText(QWidget* target, const QString& text);

// Gives the field the focus and puts the caret after its last character.
void placeCaretAtEnd(QLineEdit* field);

// Opens a field's context menu as the menu key or a right click does and returns it, still open.
QMenu* openContextMenu(QLineEdit* field);

// Puts the text on the clipboard and chooses "貼り付け" in the field's context menu.
void pasteThroughContextMenu(QLineEdit* field, const QString& text);

// The focus stops that Tab (or Shift+Tab, backwards) visits from the focus widget, count of them.
QList<QWidget*> tabStops(int count, bool backwards);

// The stops met going round a cycle of focus stops that starts and ends with the same widget, from
// that widget on, forwards or backwards.
QList<QWidget*> stopsAroundTheCycle(const QList<QWidget*>& cycle, bool backwards);

// Unloads every window of the program without asking, so that each test starts afresh.
void unloadAllWindows();

// The set-up shared by the tests that start from the main window: the program's look for the
// whole run; before each test a fresh main window, shown and active; after it no window at all.
class MainWindowTestCase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
};

// A window's start state as a table: each fact read off the window, beside the value it must have.
template <typename Window> using StateReading = std::function<QVariant(Window& window)>;

template <typename Window> struct StateFact
{
    const char* name;
    StateReading<Window> reading;
    QVariant expected;
};

// The rows of a start-state table, one per fact; called from the test's _data() function.
template <typename Window> void addStateRows(std::initializer_list<StateFact<Window>> facts)
{
    QTest::addColumn<StateReading<Window>>("reading");
    QTest::addColumn<QVariant>("expected");
    for (const StateFact<Window>& fact : facts)
        QTest::newRow(fact.name) << fact.reading << fact.expected;
}

// Compares the current row's fact on the window.
template <typename Window> void compareStateRow(Window& window)
{
    QFETCH(StateReading<Window>, reading);
    QFETCH(QVariant, expected);
    QCOMPARE(reading(window), expected);
}

} // namespace huespan
