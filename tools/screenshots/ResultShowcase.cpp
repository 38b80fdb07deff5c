// Not a test: opens the result window, the preview dialog, the version window, the progress window
// or a message box as a user would reach it, and leaves it on screen for a photograph or for
// scripts/window-check.sh to measure. Run it under Xvfb:
//   huespan-result-showcase result|long|preview|about|progress|message|swatch
#include "Module1.h"
#include "WindowSet.h"
#include "WindowsGenerationHost.h"
#include "about/frmAbout.h"
#include "main/Form1.h"
#include "result/Form2.h"
#include "result/Form3.h"
#include "ui/MessageBox.h"
#include "ui/PlainTextView.h"
#include "ui/ProgramLanguage.h"
#include "ui/ProgramLook.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace huespan;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));
    installQtJapanese(application);
    applyProgramLook(application);
    const QString window = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"result"_s;

    Form1& mainWindow = form1();
    mainWindow.show();
    if (window == u"about"_s) {
        QTimer::singleShot(0, [] { aboutForm().exec(); });
        return QApplication::exec();
    }
    if (window == u"progress"_s) {
        // The progress window as a run shows it, held at one percentage.
        mainWindow.setEnabled(false);
        QTimer::singleShot(0, [] {
            WindowsGenerationHost host;
            host.ShowProgress();
            host.SetProgressText(u"処理中...42%"_s);
        });
        return QApplication::exec();
    }
    if (window == u"message"_s) {
        QTimer::singleShot(
            0, [] { MessageBox::show(u"終了してよろしいですか？"_s, MessageBox::Style::InformationYesNo); });
        return QApplication::exec();
    }

    if (window == u"long"_s) {
        // The longest text a run takes, without line breaks: one line of a million characters,
        // looked at from its middle.
        QString text;
        while (text.size() < 32767)
            text += u"グラデーション Gradient "_s;
        text.truncate(32767);
        mainWindow.Text1->setText(text);
        mainWindow.Command1_Click();
        PlainTextView* view = form2().Text1;
        const qsizetype middle = view->toPlainText().size() / 2;
        view->setSelection(middle, middle + 30);
        return QApplication::exec();
    }

    if (window == u"swatch"_s) {
        // The coloured view of a rainbow over a few lines of text, on a white preview background.
        QStandardPaths::setTestModeEnabled(true);
        AdvancedSettings advanced;
        advanced.gradient = GradientChoice::Rainbow;
        mainWindow.setAdvancedSettings(advanced);
        mainWindow.Check1->setChecked(true);
        QString text;
        while (text.size() < 400)
            text += u"グラデーションで彩る文字列 Huespan "_s;
        mainWindow.Text1->setText(text);
        module1().PreviewBackground = {255, 255, 255};
        mainWindow.Command1_Click();
        form2().swatchViewAction->trigger();
        return QApplication::exec();
    }

    mainWindow.Text1->setText(u"グラデーションで彩る文字列 Huespan"_s);
    mainWindow.Check5->setChecked(true);
    mainWindow.Command1_Click();
    // Part of the markup selected, as after a drag.
    form2().Text1->setSelection(40, 95);
    if (window == u"preview"_s)
        QTimer::singleShot(0, [] { form2().mnuPreview_Click(); });
    return QApplication::exec();
}
