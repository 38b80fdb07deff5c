#pragma once

#include "GenerationHost.h"
#include "GradientSettings.h"

#include <QString>
#include <QStringList>

namespace huespan {

// A host that only remembers what the run frame handed to it, to learn what the windows would
// have been shown for given settings.
class RecordingHost : public GenerationHost
{
public:
    void ShowMessage(const QString& text) override { messages.append(text); }
    void EnableMainWindow() override {}
    void ShowProgress() override {}
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    void CloseProgress() override {}
    void ShowResult(const QString& markup) override { results.append(markup); }

    // The markup the core generates for the text, empty when it refuses the text.
    static QString markupFor(const GradientSettings& settings, const QString& text);

    QStringList messages;
    QStringList results;
};

} // namespace huespan
