// Not a test: paints one run's text in the 「色見本」 view, as the result window shows it, and saves
// the view as a picture beside which scripts/swatch-comparison.sh puts Chromium's rendering of the
// run's preview page. The colours run from red to blue on a white background, and the view's base
// font is 16 pixels, a browser's default.
//   huespan-swatch-sample OUT.png [--size N | --heading N] TEXT
#include "GradientSettings.h"
#include "ui/ColourSwatchView.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace huespan;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    applyProgramLook(application);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 && arguments.size() != 5) {
        std::fprintf(stderr, "usage: huespan-swatch-sample OUT.png [--size N | --heading N] TEXT\n");
        return 2;
    }
    GradientSettings settings;
    settings.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    if (arguments.size() == 5) {
        const int value = arguments[3].toInt();
        if (arguments[2] == u"--heading"_s) {
            settings.sizeMode = SizeMode::Heading;
            settings.heading = value;
        } else {
            settings.fontSize = value;
        }
    }
    ColourSwatchView view;
    QFont font = view.font();
    font.setPixelSize(16);
    view.setFont(font);
    view.resize(480, 200);
    view.setRun(arguments.last(), settings);
    qreal height = 8;
    for (qsizetype line = 0; line < view.layout().lineCount(); ++line)
        height += view.layout().lineHeight(line);
    view.resize(480, static_cast<int>(height) + 2 * view.frameWidth() + 4);
    view.show();
    QApplication::processEvents();
    return view.viewport()->grab().save(arguments[1]) ? 0 : 1;
}
