#pragma once

#include "ui/MessageBox.h"

#include <QList>
#include <QString>

class QLineEdit;
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

// Unloads every window of the program without asking, so that each test starts afresh.
void unloadAllWindows();

} // namespace huespan
