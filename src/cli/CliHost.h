#pragma once

#include "GenerationHost.h"

#include <QString>
#include <optional>

namespace huespan {

// The run frame's window operations for a front end without windows: a refusal's message and the
// finished markup are kept for the caller to write out; progress has nowhere to go.
class CliHost : public GenerationHost
{
public:
    void ShowMessage(const QString& text) override;
    void EnableMainWindow() override {}
    void ShowProgress() override {}
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    void CloseProgress() override {}
    void ShowResult(const QString& markup) override;

    const std::optional<QString>& message() const { return m_message; }
    const std::optional<QString>& result() const { return m_result; }

private:
    std::optional<QString> m_message;
    std::optional<QString> m_result;
};

} // namespace huespan
