#include "progress/Form4.h"

#include "Module1.h"
#include "WindowSet.h"
#include "main/Form1.h"
#include "ui/ScreenPlacement.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace huespan {

Form4& form4()
{
    return SingleInstance<Form4>::get();
}

Form4::Form4()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(u"生成中..."_s);
    setFixedSize(Twips::size(1440, 1050));

    Label1 = new QLabel(u"Label1"_s, this);
    Label1->setGeometry(Twips::rect(120, 120, 1215, 255));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Command1 = new QPushButton(u"中止"_s, this);
    Command1->setGeometry(Twips::rect(120, 480, 1215, 495));
    // Not the window's default button, but Enter presses it while it has the focus.
    Command1->setAutoDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::unload()
{
    if (!SingleInstance<Form4>::isLoaded())
        return;
    Form4& window = form4();
    SingleInstance<Form4>::forget();
    window.m_unloading = true;
    window.close();
    window.deleteLater();
}

// The run notices the flag at its next test; the window stays until the run unloads it.
void Form4::Command1_Click()
{
    module1().AbortRequested = true;
    form1().setEnabled(true);
}

// The window has no close box, but the window system may still ask it to close (Alt+F4, a
// taskbar menu). That request means "stop", and the window stays for the run to unload, so the
// run's progress updates and its final unload always find it.
void Form4::closeEvent(QCloseEvent* event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    event->ignore();
    Command1_Click();
}

void Form4::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

} // namespace huespan
