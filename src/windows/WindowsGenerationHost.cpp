#include "WindowsGenerationHost.h"

#include "WindowSet.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QWindow>

namespace huespan {

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
    progress.show();
    progress.raise();
    progress.activateWindow();
}

void WindowsGenerationHost::SetProgressText(const QString& text)
{
    form4().Label1->setText(text);
}

void WindowsGenerationHost::PumpEvents()
{
    QCoreApplication::processEvents();
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
