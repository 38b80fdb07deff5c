// Opens the advanced settings dialog over the main window with one gradient choice and
// photographs the screen, so that a person can check that every caption fits. Run it under Xvfb
// with a window manager:
//   huespan-advanced-showcase two-colours|stops|rainbow <file.png>
#include "GradientPresets.h"
#include "WindowSet.h"
#include "advanced/frmAdvanced.h"
#include "main/Form1.h"
#include "ui/ProgramLanguage.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The photograph must not depend on, or change, the settings of whoever runs it.
    QStandardPaths::setTestModeEnabled(true);
    installQtJapanese(application);
    applyProgramLook(application);
    if (argc < 3)
        return 2;
    const QString choice = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);

    Form1& window = form1();
    window.Text1->setText(u"グラデーションで色付けする文字列"_s);
    const QStringList components{u"255"_s, u"64"_s, u"0"_s, u"0"_s, u"128"_s, u"255"_s};
    for (qsizetype index = 0; index < components.size(); ++index)
        window.TextC.at(index)->setText(components.at(index));
    window.move(20, 20);
    window.show();

    AdvancedSettings settings;
    if (choice == u"stops"_s) {
        settings.gradient = GradientChoice::Stops;
        settings.stops = gradientPresets().front().stops;
        settings.options.space = ColourSpace::Oklch;
    } else if (choice == u"rainbow"_s) {
        settings.gradient = GradientChoice::Rainbow;
        settings.options.unit = TextUnit::Grapheme;
        settings.options.merge = true;
    }
    frmAdvanced dialog(settings, window.settings(), window.Text1->text(), &window);
    QTimer::singleShot(0, [&] {
        settle(800);
        QGuiApplication::primaryScreen()->grabWindow(0).save(file);
        dialog.reject();
    });
    dialog.exec();
    return 0;
}
