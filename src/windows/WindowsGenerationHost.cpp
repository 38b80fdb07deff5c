#include "WindowsGenerationHost.h"

#include "ProgressText.h"
#include "WindowSet.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>
#include <QWindow>

namespace huespan {

namespace {

// How long a run waits for the progress window's first exposure, in milliseconds, and how often it
// looks; a window system that never exposes it (no screen at all) costs the run this once.
constexpr qint64 kLongestWaitForExposure = 1000;
constexpr unsigned long kExposurePoll = 2;

} // namespace

WindowsGenerationHost::WindowsGenerationHost(const QString& text, const GradientSettings& settings)
    : m_text(text)
    , m_settings(settings)
{
}

void WindowsGenerationHost::ShowMessage(const QString& text)
{
    MessageBox::show(text, MessageBox::Style::Information);
}

void WindowsGenerationHost::EnableMainWindow()
{
    form1().setEnabled(true);
}

void WindowsGenerationHost::ShowProgress()
{
    Form4& progress = form4();
    // Kept above the disabled main window, which a click could otherwise raise over it; the
    // window system learns this before the window is mapped.
    if (SingleInstance<Form1>::isLoaded() && form1().windowHandle() != nullptr) {
        progress.winId();
        progress.windowHandle()->setTransientParent(form1().windowHandle());
    }
    // Written before it is shown, and placed (Form4 centres itself as it is shown), so that its
    // first frame stands where it stays and says what it is for.
    progress.Label1->setText(ProgressText(0));
    progress.show();
    progress.raise();
    progress.activateWindow();
    m_progressUnpainted = true;
}

void WindowsGenerationHost::SetProgressText(const QString& text)
{
    form4().Label1->setText(text);
}

void WindowsGenerationHost::PumpEvents()
{
    QCoreApplication::processEvents();
    if (!m_progressUnpainted)
        return;
    // Under load the window manager maps the progress window well after the run has begun; at its
    // first turn the run waits for the window to be exposed, and so painted, rather than leave it
    // blank. The turn itself comes where it always came, after the first unit.
    m_progressUnpainted = false;
    QElapsedTimer waiting;
    waiting.start();
    while (SingleInstance<Form4>::isLoaded() && !form4().windowHandle()->isExposed() &&
           waiting.elapsed() < kLongestWaitForExposure) {
        QThread::msleep(kExposurePoll);
        QCoreApplication::processEvents();
    }
}

void WindowsGenerationHost::CloseProgress()
{
    Form4::unload();
}

void WindowsGenerationHost::ShowResult(const QString& markup)
{
    form2().showResult(markup, m_text, m_settings);
}

} // namespace huespan
