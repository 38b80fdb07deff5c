#pragma once

#include "GenerationHost.h"

namespace huespan {

// A host whose windows cost nothing, so that a benchmark measures the generation alone.
class NullHost final : public GenerationHost
{
public:
    void ShowMessage(const QString&) override {}
    void EnableMainWindow() override {}
    void ShowProgress() override {}
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    void CloseProgress() override {}
    void ShowResult(const QString&) override {}
};

} // namespace huespan
