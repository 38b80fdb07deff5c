#pragma once

#include <QString>

namespace huespan {

// The window operations through which a generation run reaches its front end. The desktop program
// implements them with its windows, the command line with its streams, the tests with recorders.
class GenerationHost
{
public:
    virtual ~GenerationHost() = default;

    // A modal information box with only an OK button; returns when it is closed.
    virtual void ShowMessage(const QString& text) = 0;
    virtual void EnableMainWindow() = 0;
    virtual void ShowProgress() = 0;
    virtual void SetProgressText(const QString& text) = 0;
    // Lets the pending window events run once, then returns.
    virtual void PumpEvents() = 0;
    virtual void CloseProgress() = 0;
    virtual void ShowResult(const QString& markup) = 0;
};

} // namespace huespan
