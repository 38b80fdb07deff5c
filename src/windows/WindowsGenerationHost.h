#pragma once

#include "GenerationHost.h"
#include "GradientSettings.h"

#include <QString>

namespace huespan {

// A generation run's operations done on the program's windows.
class WindowsGenerationHost final : public GenerationHost
{
public:
    // For the window operations alone, outside a run: a result shown through it has no run behind it.
    WindowsGenerationHost() = default;
    // The text and settings the run starts from; the result window keeps them with the markup.
    WindowsGenerationHost(const QString& text, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(WindowsGenerationHost)

    void ShowMessage(const QString& text) override;
    void EnableMainWindow() override;
    void ShowProgress() override;
    void SetProgressText(const QString& text) override;
    void PumpEvents() override;
    void CloseProgress() override;
    void ShowResult(const QString& markup) override;

private:
    QString m_text;
    GradientSettings m_settings;
    // Set from showing the progress window to the run's first turn of the event loop.
    bool m_progressUnpainted = false;
};

} // namespace huespan
