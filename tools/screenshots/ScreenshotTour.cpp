// Walks the main window through its states and photographs the whole screen after each, so that
// a person can check that every caption fits and nothing overlaps. Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" huespan-screenshot-tour <folder>
#include "WindowSet.h"
#include "main/Form1.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/MessageBox.h"
#include "ui/ProgramLanguage.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

QString g_folder;

void settle(int milliseconds = 300)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void photograph(const QString& name)
{
    settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(g_folder).filePath(name + u".png"_s));
}

void setComponents(const QStringList& texts)
{
    for (qsizetype index = 0; index < texts.size(); ++index)
        form1().TextC.at(index)->setText(texts.at(index));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installQtJapanese(application);
    applyProgramLook(application);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    Form1& window = form1();
    window.move(20, 20);
    window.show();
    photograph(u"main-start"_s);

    window.Text1->setText(u"グラデーションで色付けする文字列"_s);
    setComponents({u"255"_s, u"64"_s, u"0"_s, u"0"_s, u"128"_s, u"255"_s});
    window.Check1->setChecked(true);
    window.Check4->setChecked(true);
    window.Check5->setChecked(true);
    window.Combo1->setCurrentText(u"5"_s);
    window.Text2->setText(u"<P ALIGN=\"center\">"_s);
    window.Text3->setText(u"</P>"_s);
    photograph(u"main-left-to-right-decimal"_s);

    window.Option6->click();
    window.Option4->click();
    window.Option2->click();
    window.Combo2->setCurrentText(u"H2"_s);
    photograph(u"main-both-sides-hexadecimal"_s);

    window.Combo2->showPopup();
    photograph(u"main-heading-list"_s);
    window.Combo2->hidePopup();

    QMenu* contextMenu = window.TextC.at(1)->createStandardContextMenu();
    contextMenu->popup(window.TextC.at(1)->mapToGlobal(QPoint(10, 10)));
    photograph(u"main-context-menu"_s);
    delete contextMenu;

    // A long run: the photograph is taken from inside it, while it yields to the event loop.
    window.Text1->setText(QString(32767, u'あ'));
    QTimer halfway;
    QObject::connect(&halfway, &QTimer::timeout, [&halfway] {
        if (!SingleInstance<Form4>::isLoaded() || form4().Label1->text() != u"処理中...50%"_s)
            return;
        halfway.stop();
        photograph(u"progress"_s);
        form4().Command1->click();
    });
    halfway.start(0);
    window.Command1->click();

    window.Text1->setText(u"虹色"_s);
    window.Option5->click();
    window.Command1->click();
    photograph(u"result"_s);
    form2().close();

    QTimer::singleShot(500, [] {
        photograph(u"closing-confirmation"_s);
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    MessageBox::show(u"終了してよろしいですか？"_s, MessageBox::Style::InformationYesNo);

    QTimer::singleShot(500, [] {
        photograph(u"about"_s);
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    window.mnuAbout_Click();
    return 0;
}
