#pragma once

#include <QList>
#include <QString>

class QLineEdit;
class QMenu;
class QWidget;

namespace huespan {

// Stands in for every message box while it lives: writes down what was asked and answers.
class MessageBoxRecorder
{
public:
    struct Message
    {
        QString text;
        int style = 0;
    };

    explicit MessageBoxRecorder(int answer);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void setAnswer(int answer) { m_answer = answer; }
    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const;

private:
    QList<Message> m_messages;
    int m_answer;
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

} // namespace huespan
