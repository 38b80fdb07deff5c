// Not a test: paints one gradient on white in the 「色見本」 view three times, as the result window
// shows it: as it is, with a contrast floor of 4.5:1, and that floor as seen with deuteranopia, with
// the units below 4.5:1 marked; the picture goes to docs/ for the README.
//   huespan-contrast-sample OUT.png
#include "ContrastFloor.h"
#include "GradientSettings.h"
#include "ui/ColourSwatchView.h"
#include "ui/ProgramLook.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

QImage viewOf(const GradientSettings& settings, ColourVision vision)
{
    ColourSwatchView view;
    QFont font = view.font();
    font.setPixelSize(28);
    font.setBold(true);
    view.setFont(font);
    view.resize(640, 60);
    view.setBackground(Qt::white);
    view.setRun(u"Sunny gradient 晴れのグラデーション"_s, settings);
    view.setContrastMarks(Contrast::kText);
    view.setColourVision(vision);
    view.show();
    QApplication::processEvents();
    return view.viewport()->grab().toImage();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    applyProgramLook(application);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: huespan-contrast-sample OUT.png\n");
        return 2;
    }
    GradientSettings settings;
    settings.extended.stops = {{ColourTriple{255, 215, 0}, std::nullopt},
                               {ColourTriple{0, 230, 118}, std::nullopt},
                               {ColourTriple{0, 229, 255}, std::nullopt}};
    settings.extended.space = ColourSpace::Oklch;
    GradientSettings floored = settings;
    floored.extended.contrastFloor = ContrastFloor{Contrast::kText, ColourTriple{255, 255, 255}};

    const struct
    {
        QString caption;
        QImage view;
    } rows[] = {
        {u"As it is: most characters below 4.5:1 on white (dotted)"_s, viewOf(settings, ColourVision::Typical)},
        {u"--min-contrast 4.5 (詳細設定: 4.5:1): every character reaches 4.5:1, hues kept"_s,
         viewOf(floored, ColourVision::Typical)},
        {u"The same, as seen with deuteranopia (色覚シミュレーション: 2型)"_s,
         viewOf(floored, ColourVision::Deuteranopia)},
    };
    const int captionHeight = 24;
    int height = 8;
    for (const auto& row : rows)
        height += captionHeight + row.view.height() + 8;
    QImage picture(656, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QFont captionFont = QApplication::font();
    captionFont.setPixelSize(14);
    painter.setFont(captionFont);
    int top = 8;
    for (const auto& row : rows) {
        painter.setPen(Qt::black);
        painter.drawText(QRect(8, top, 640, captionHeight), Qt::AlignLeft | Qt::AlignVCenter, row.caption);
        top += captionHeight;
        painter.drawImage(8, top, row.view);
        painter.setPen(QColor(0x99, 0x99, 0x99));
        painter.drawRect(7, top - 1, row.view.width() + 1, row.view.height() + 1);
        top += row.view.height() + 8;
    }
    painter.end();
    return picture.save(arguments[1]) ? 0 : 1;
}
