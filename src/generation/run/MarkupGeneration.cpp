#include "MarkupGeneration.h"

#include "GenerationHost.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "Module1.h"

namespace huespan {

namespace {

// Keeps what a run hands over; progress has nowhere to go.
class KeepingHost final : public GenerationHost
{
public:
    void ShowMessage(const QString& text) override { message = text; }
    void EnableMainWindow() override {}
    void ShowProgress() override {}
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    void CloseProgress() override {}
    void ShowResult(const QString& markup) override { result = markup; }

    QString message;
    std::optional<QString> result;
};

} // namespace

MarkupOutcome generateMarkup(const QString& text, const GradientSettings& settings)
{
    MarkupOutcome outcome;
    if ((outcome.conflict = findSettingsConflict(settings, false))) {
        outcome.refusal = MarkupOutcome::Refusal::Conflict;
        return outcome;
    }
    Module1 state;
    state.SourceText = text;
    KeepingHost host;
    Generate(state, settings, host);
    outcome.markup = std::move(host.result);
    if (!outcome.markup) {
        outcome.message = host.message;
        if (text.size() > GenerationRun::kLongestText)
            outcome.refusal = MarkupOutcome::Refusal::TooLong;
        else if (host.message == GenerationRun::kNoTextMessage)
            outcome.refusal = MarkupOutcome::Refusal::EmptyText;
        else
            outcome.refusal = MarkupOutcome::Refusal::TooShort;
    }
    return outcome;
}

} // namespace huespan
