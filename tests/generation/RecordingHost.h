#pragma once

#include "GenerationHost.h"
#include "GradientSettings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace huespan {

// A host that writes down every operation a run asks of it, in order, so that tests can compare
// the whole conversation between a run and its windows.
class RecordingHost final : public GenerationHost
{
public:
    struct Call
    {
        QString operation;
        QString argument;
    };

    void ShowMessage(const QString& text) override;
    void EnableMainWindow() override;
    void ShowProgress() override;
    void SetProgressText(const QString& text) override;
    void PumpEvents() override;
    void CloseProgress() override;
    void ShowResult(const QString& markup) override;

    // Runs inside PumpEvents with the number of that turn, counting from 1; this is where a
    // test plays the user clicking the abort button.
    std::function<void(int turn)> onPumpEvents;

    // What the core writes into ResultHtml for the text and settings, with the abort button
    // pressed during the event-loop turn given (0: never); empty when the text is refused.
    static QString markupFor(const GradientSettings& settings, const QString& text, int abortAtTurn = 0);

    const QList<Call>& calls() const { return m_calls; }
    QStringList operations() const;
    QStringList arguments(const QString& operation) const;
    qsizetype count(const QString& operation) const;

private:
    QList<Call> m_calls;
    int m_turns = 0;
};

} // namespace huespan
