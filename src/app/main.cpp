#include "AppCommandLine.h"
#include "AppExitStatus.h"
#include "DisplayChoice.h"
#include "PlatformStartGuard.h"
#include "WindowSet.h"
#include "main/Form1.h"
#include "ui/ProgramLanguage.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void writeLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    if (!text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

} // namespace

int main(int argc, char* argv[])
{
    // A write past the file size limit then fails with EFBIG, which the settings and the preview
    // page report, instead of ending the program with the file half written.
    std::signal(SIGXFSZ, SIG_IGN);

    // The command line and the display are checked before the application object is made, because
    // making it without a display aborts the process.
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    huespan::AppCommandLine commandLine;
    switch (commandLine.parse(arguments)) {
    case huespan::AppCommandLine::Outcome::ShowHelp:
        writeLine(stdout, commandLine.helpText());
        return huespan::AppSuccess;
    case huespan::AppCommandLine::Outcome::ShowVersion:
        writeLine(stdout, huespan::AppCommandLine::versionText());
        return huespan::AppSuccess;
    case huespan::AppCommandLine::Outcome::UsageError:
        writeLine(stderr, commandLine.errorMessage());
        return huespan::AppUsageError;
    case huespan::AppCommandLine::Outcome::Run:
        break;
    }

    const huespan::DisplayChoice display = huespan::chooseDisplay(commandLine.platformGiven());
    if (display == huespan::DisplayChoice::None) {
        writeLine(stderr, huespan::noDisplayMessage());
        return huespan::AppNoDisplay;
    }

    huespan::PlatformStartGuard guard(display);
    QApplication application(argc, argv);
    guard.started();

    QApplication::setApplicationName(u"Huespan"_s);
    QApplication::setApplicationVersion(QStringLiteral(HUESPAN_VERSION));
    // The desktop entry org.example.huespan.desktop: desktops match windows to it by this name.
    QGuiApplication::setDesktopFileName(u"org.example.huespan"_s);
    huespan::installQtJapanese(application);
    huespan::applyProgramLook(application);

    huespan::form1().show();
    return QApplication::exec();
}
