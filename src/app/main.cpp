#include "ui/ProgramLanguage.h"
#include "ui/ProgramLook.h"
#include "WindowSet.h"
#include "main/Form1.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Huespan"_s);
    QApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));
    QGuiApplication::setDesktopFileName(u"huespan"_s);
    huespan::installQtJapanese(application);
    huespan::applyProgramLook(application);

    huespan::form1().show();
    return QApplication::exec();
}
