// Opens the advanced settings dialog over the main window with one gradient choice and leaves it
// on screen for a photograph (scripts/screenshots.sh), so that a person can check that every
// caption fits:
//   huespan-advanced-showcase two-colours|stops|rainbow
#include "GradientPresets.h"
#include "WindowSet.h"
#include "advanced/AdvancedSettingsDialog.h"
#include "main/Form1.h"
#include "ui/ProgramLanguage.h"
#include "ui/ProgramLook.h"
#include "ui/StopListModel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace huespan;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The photograph must not depend on, or change, the settings of whoever runs it.
    QStandardPaths::setTestModeEnabled(true);
    installQtJapanese(application);
    applyProgramLook(application);
    const QString choice = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

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
    AdvancedSettingsDialog dialog(settings, window.settings(), window.Text1->text(), &window);
    // The list with its middle stop selected, as a user editing it sees it.
    if (choice == u"stops"_s)
        dialog.stopList->setCurrentIndex(dialog.stopModel->index(1, StopListModel::ColourColumn));
    return dialog.exec();
}
