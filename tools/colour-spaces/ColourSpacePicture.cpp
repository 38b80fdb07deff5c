// Draws one text in each colour space, every character in the colour the generation core gives
// it, for the README. Usage: huespan-colour-space-picture OUTPUT.png

#include "ColourSpace.h"
#include "SettingNames.h"
#include "StopGradient.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <vector>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

const QColor background(0x1E, 0x1E, 0x1E);
const QColor labelColour(0xB0, 0xB0, 0xB0);
constexpr int margin = 24;
constexpr int labelWidth = 280;
constexpr int rowHeight = 64;

// The text with every character in its unit colour, laid out by QTextDocument.
void drawGradientText(QPainter& painter, const QString& text, const StopGradient& gradient, const QFont& font,
                      QPointF at)
{
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    std::vector<ColourTriple> colours;
    gradient.unitColours(text.size(), colours);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QTextCharFormat format;
        format.setForeground(QColor(colours[i].red, colours[i].green, colours[i].blue));
        cursor.insertText(text.mid(i, 1), format);
    }
    painter.save();
    painter.translate(at);
    QAbstractTextDocumentLayout::PaintContext context;
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: huespan-colour-space-picture OUTPUT.png\n";
        return 2;
    }

    // Blue to yellow: through grey in sRGB, light early in linear light, evenly in OKLab, and the
    // shorter way round the hue circle (through cyan and green) in OKLCH and HSL.
    const std::vector<ColourStop> stops{{{0, 0, 255}, {}}, {{255, 255, 0}, {}}};
    const QString text = u"■■■■ Huespan グラデーション gradient ■■■■"_s;
    const std::array spaces{ColourSpace::Srgb, ColourSpace::LinearSrgb, ColourSpace::Oklab,
                            ColourSpace::Oklch, ColourSpace::Hsl};

    QFont font(u"Noto Sans CJK JP"_s);
    font.setPixelSize(36);
    font.setBold(true);
    QFont labelFont(u"DejaVu Sans Mono"_s);
    labelFont.setStyleHint(QFont::Monospace);
    labelFont.setPixelSize(22);

    QTextDocument measure;
    measure.setDocumentMargin(0);
    measure.setDefaultFont(font);
    measure.setPlainText(text);
    const int width = margin * 2 + labelWidth + static_cast<int>(measure.idealWidth()) + 8;
    const int height = margin * 2 + rowHeight * static_cast<int>(spaces.size());

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (std::size_t row = 0; row < spaces.size(); ++row) {
        const int top = margin + rowHeight * static_cast<int>(row);
        painter.setPen(labelColour);
        painter.setFont(labelFont);
        painter.drawText(QRect(margin, top, labelWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         u"--space "_s + nameOf(spaces[row]));
        const StopGradient gradient(stops, spaces[row], HueInterpolation::Shorter);
        const qreal textTop = top + (rowHeight - measure.size().height()) / 2.0;
        drawGradientText(painter, text, gradient, font, QPointF(margin + labelWidth, textTop));
    }
    painter.end();
    if (!image.save(arguments.at(1))) {
        QTextStream(stderr) << "cannot write " << arguments.at(1) << '\n';
        return 1;
    }
    return 0;
}
