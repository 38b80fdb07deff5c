#pragma once

#include "GenerationHost.h"

namespace huespan {

// A generation run's operations done on the program's windows.
class WindowsGenerationHost final : public GenerationHost
{
public:
    WindowsGenerationHost() = default;
    Q_DISABLE_COPY_MOVE(WindowsGenerationHost)

    void ShowMessage(const QString& text) override;
    void EnableMainWindow() override;
    void ShowProgress() override;
    void SetProgressText(const QString& text) override;
    void PumpEvents() override;
    void CloseProgress() override;
    void ShowResult(const QString& markup) override;
};

} // namespace huespan
