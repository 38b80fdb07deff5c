#include "RecordingHost.h"

#include "Generators.h"
#include "Module1.h"

using namespace Qt::StringLiterals;

namespace huespan {

void RecordingHost::ShowMessage(const QString& text)
{
    m_calls.append({u"ShowMessage"_s, text});
}

void RecordingHost::EnableMainWindow()
{
    m_calls.append({u"EnableMainWindow"_s, {}});
}

void RecordingHost::ShowProgress()
{
    m_calls.append({u"ShowProgress"_s, {}});
}

void RecordingHost::SetProgressText(const QString& text)
{
    m_calls.append({u"SetProgressText"_s, text});
}

void RecordingHost::PumpEvents()
{
    m_calls.append({u"PumpEvents"_s, {}});
    ++m_turns;
    if (onPumpEvents)
        onPumpEvents(m_turns);
}

void RecordingHost::CloseProgress()
{
    m_calls.append({u"CloseProgress"_s, {}});
}

void RecordingHost::ShowResult(const QString& markup)
{
    m_calls.append({u"ShowResult"_s, markup});
}

QString RecordingHost::markupFor(const GradientSettings& settings, const QString& text, int abortAtTurn)
{
    Module1 state;
    state.SourceText = text;
    RecordingHost host;
    host.onPumpEvents = [&state, abortAtTurn](int turn) {
        if (turn == abortAtTurn)
            state.AbortRequested = true;
    };
    Generate(state, settings, host);
    return state.ResultHtml;
}

QStringList RecordingHost::operations() const
{
    QStringList names;
    names.reserve(m_calls.size());
    for (const Call& call : m_calls)
        names.append(call.operation);
    return names;
}

QStringList RecordingHost::arguments(const QString& operation) const
{
    QStringList values;
    for (const Call& call : m_calls) {
        if (call.operation == operation)
            values.append(call.argument);
    }
    return values;
}

qsizetype RecordingHost::count(const QString& operation) const
{
    return operations().count(operation);
}

} // namespace huespan
