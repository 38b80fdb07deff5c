#include "TextUnits.h"
#include "ui/ColouredTextLayout.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// The coloured text as a browser shows a page of one element per unit: which glyphs a text
// becomes and which colour each wears, the page's font sizes, and the css format's gradient fill.
class TestColouredTextLayout : public QObject
{
    Q_OBJECT

private slots:
    void glyphsAndColours_data();
    void glyphsAndColours();
    void lines_data();
    void lines();
    void pageFont_data();
    void pageFont();
    void gradientFillsEveryGlyph();

private:
    // Unit i wears a colour of its own; units listed in uncoloured take none.
    static void setUp(ColouredTextLayout& layout, const QString& text, TextUnit unit, bool keepLineBreaks,
                      const QList<int>& uncoloured = {});
    static QColor colourOf(int unit) { return QColor(10 + 3 * unit, 200 - unit, 7); }
};

void TestColouredTextLayout::setUp(ColouredTextLayout& layout, const QString& text, TextUnit unit,
                                   bool keepLineBreaks, const QList<int>& uncoloured)
{
    const TextUnits units(text, unit, false, keepLineBreaks);
    std::vector<qsizetype> offsets;
    std::vector<QColor> colours;
    std::vector<bool> lineBreaks;
    for (qsizetype index = 0; index < units.count(); ++index) {
        offsets.push_back(units.at(index).data() - text.constData());
        colours.push_back(uncoloured.contains(int(index)) ? QColor() : colourOf(int(index)));
        lineBreaks.push_back(units.kind(index) == TextUnits::Kind::LineBreak);
    }
    offsets.push_back(text.size());
    QFont font = QApplication::font();
    font.setPixelSize(16);
    layout.setText(text, offsets, colours, lineBreaks);
    layout.setFont(font);
}

void TestColouredTextLayout::glyphsAndColours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("graphemes");
    // How many glyphs the line holds, and the units whose colours the glyphs wear, in order, one
    // entry per glyph.
    QTest::addColumn<QList<int>>("colourUnits");

    const bool points = false;
    // Each code point its own unit and colour: a cluster is still one glyph, in its first unit's colour.
    QTest::newRow("family emoji") << u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s << points
                                  << QList<int>{0};
    QTest::newRow("flag") << u"\U0001F1EF\U0001F1F5"_s << points << QList<int>{0};
    QTest::newRow("skin tone") << u"\U0001F44D\U0001F3FD"_s << points << QList<int>{0};
    QTest::newRow("keycap") << u"1\uFE0F\u20E3"_s << points << QList<int>{0};
    QTest::newRow("flag after letters") << u"ab\U0001F1EF\U0001F1F5c"_s << points << QList<int>{0, 1, 2, 4};
    QTest::newRow("two flags") << u"\U0001F1EF\U0001F1F5\U0001F1FA\U0001F1F8"_s << points << QList<int>{0, 2};
    // क्ष: one conjunct glyph in a Devanagari font, whose cluster starts at क.
    QTest::newRow("Devanagari conjunct") << u"x\u0915\u094D\u0937"_s << points << QList<int>{0, 1};
    QTest::newRow("Devanagari conjunct as graphemes") << u"\u0915\u094D\u0937"_s << true << QList<int>{0};
    QTest::newRow("plain letters") << u"aあ漢"_s << points << QList<int>{0, 1, 2};
    QTest::newRow("graphemes, one unit each")
        << u"\U0001F44D\U0001F3FD\U0001F1EF\U0001F1F5"_s << true << QList<int>{0, 1};
}

void TestColouredTextLayout::glyphsAndColours()
{
    QFETCH(QString, text);
    QFETCH(bool, graphemes);
    QFETCH(QList<int>, colourUnits);

    ColouredTextLayout layout;
    setUp(layout, text, graphemes ? TextUnit::Grapheme : TextUnit::CodePoint, false);
    layout.layOut(0);
    QCOMPARE(layout.lineCount(), 1);
    QList<QColor> worn;
    for (const ColouredTextLayout::ColouredRun& run : layout.runs(0)) {
        for (qsizetype glyph = 0; glyph < run.glyphs.glyphIndexes().size(); ++glyph)
            worn.append(run.colour);
    }
    QList<QColor> expected;
    for (int unit : colourUnits)
        expected.append(colourOf(unit));
    QCOMPARE(worn, expected);
}

void TestColouredTextLayout::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("keepLineBreaks");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("lines");

    QTest::newRow("kept line breaks end lines") << u"ab\r\ncd\ref\ngh"_s << true << 0 << 4;
    QTest::newRow("two kept breaks leave an empty line") << u"ab\n\ncd"_s << true << 0 << 3;
    QTest::newRow("line breaks not kept are spaces") << u"ab\r\ncd\ref"_s << false << 0 << 1;
    // Wrapped: as many lines as it takes, none wider than the view.
    QTest::newRow("narrow view wraps") << QString(40, u'あ') << false << 100 << -1;
    QTest::newRow("a word wider than the view breaks anywhere") << QString(60, u'w') << false << 100 << -1;
    QTest::newRow("words wrap") << u"gradient colours on every letter of a sentence"_s << false << 100 << -1;
}

void TestColouredTextLayout::lines()
{
    QFETCH(QString, text);
    QFETCH(bool, keepLineBreaks);
    QFETCH(int, width);
    QFETCH(int, lines);

    ColouredTextLayout layout;
    setUp(layout, text, TextUnit::Grapheme, keepLineBreaks);
    layout.layOut(0);
    qreal unwrapped = 0;
    for (qsizetype line = 0; line < layout.lineCount(); ++line)
        unwrapped += layout.lineWidth(line);
    layout.layOut(width);
    if (width > 0) {
        qreal wrapped = 0;
        for (qsizetype line = 0; line < layout.lineCount(); ++line) {
            QVERIFY(layout.lineWidth(line) <= width + 0.5);
            wrapped += layout.lineWidth(line);
        }
        QVERIFY(static_cast<double>(layout.lineCount()) >= std::ceil(unwrapped / width));
        // The same text, less the spaces where lines end.
        QVERIFY(wrapped <= unwrapped + 0.5 && wrapped >= unwrapped * 0.8);
        // Words stay whole where the text has spaces between them.
        for (qsizetype line = 1; text.contains(u' ') && line < layout.lineCount(); ++line)
            QCOMPARE(text[layout.lineStart(line) - 1], u' ');
    } else {
        QCOMPARE(layout.lineCount(), lines);
    }
    // Every letter is drawn once: no kept line break shows as a glyph, and a space only where it
    // does not end a line.
    qsizetype glyphs = 0;
    for (qsizetype line = 0; line < layout.lineCount(); ++line) {
        for (const ColouredTextLayout::ColouredRun& run : layout.runs(line))
            glyphs += run.glyphs.glyphIndexes().size();
    }
    QString visible = text;
    if (keepLineBreaks)
        visible.remove(u'\r').remove(u'\n');
    QVERIFY2(glyphs <= visible.size() && glyphs >= visible.size() - visible.count(u' '),
             qPrintable(QString::number(glyphs)));
}

void TestColouredTextLayout::pageFont_data()
{
    QTest::addColumn<bool>("heading");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");

    // A browser's default style sheet for a 16-pixel medium: <font size> x-small to xxx-large,
    // and h1 to h6 in em, bold.
    const QList<int> sizes{10, 13, 16, 18, 24, 32, 48};
    for (int size = 1; size <= 7; ++size)
        QTest::addRow("size %d", size) << false << size << sizes[size - 1] << false;
    const QList<double> headings{2.0, 1.5, 1.17, 1.0, 0.83, 0.67};
    for (int level = 1; level <= 6; ++level)
        QTest::addRow("h%d", level) << true << level << qRound(16 * headings[level - 1]) << true;
}

void TestColouredTextLayout::pageFont()
{
    QFETCH(bool, heading);
    QFETCH(int, level);
    QFETCH(int, pixels);
    QFETCH(bool, bold);

    GradientSettings settings;
    if (heading) {
        settings.sizeMode = SizeMode::Heading;
        settings.heading = level;
        settings.fontSize = 7; // not the mode: no effect
    } else {
        settings.fontSize = level;
        settings.heading = 1; // not the mode: no effect
    }
    settings.italic = true;
    QFont base = QApplication::font();
    base.setPixelSize(16);
    const QFont font = ColouredTextLayout::pageFont(base, settings);
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(font.bold(), bold);
    QVERIFY(font.italic());
    QVERIFY(!font.underline());

    // A font given in points scales alike.
    QFont points = QApplication::font();
    points.setPointSizeF(12);
    QVERIFY(qAbs(ColouredTextLayout::pageFont(points, settings).pointSizeF() - 12.0 * pixels / 16) < 0.6);
}

void TestColouredTextLayout::gradientFillsEveryGlyph()
{
    // Red to blue across a line of an emoji and a block: every inked pixel lies on the gradient
    // (red and blue only, no green or yellow of the emoji's own colours), reddest on the left.
    GradientSettings settings;
    settings.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    settings.extended.format = OutputFormat::Css;
    ColouredTextLayout layout;
    setUp(layout, u"\U0001F600\u2588\u2588\U0001F600"_s, TextUnit::Grapheme, false);
    layout.setGradient(ColouredTextLayout::gradientStops(settings));
    layout.layOut(0);
    QImage image(200, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        layout.draw(painter, 2, 2, 0, 40, Qt::black);
    }
    int inked = 0;
    int leftmost = image.width();
    int rightmost = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel == QColor(Qt::white))
                continue;
            ++inked;
            // Blended with the white ground, a gradient pixel has no more green than its least of
            // red and blue.
            QVERIFY2(pixel.green() <= std::min(pixel.red(), pixel.blue()) + 8,
                     qPrintable(u"%1,%2: %3"_s.arg(x).arg(y).arg(pixel.name())));
            if (pixel.green() < 30) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    QVERIFY(inked > 200);
    QVERIFY(image.pixelColor(leftmost, 20).red() >= image.pixelColor(leftmost, 20).blue() ||
            leftmost < rightmost);
    const auto redAt = [&image](int x) {
        int red = 0, blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.green() < 30) {
                red += pixel.red();
                blue += pixel.blue();
            }
        }
        return red - blue;
    };
    QVERIFY(redAt(leftmost + 2) > 0);
    QVERIFY(redAt(rightmost - 2) < 0);
}

} // namespace huespan

QTEST_MAIN(huespan::TestColouredTextLayout)
#include "TestColouredTextLayout.moc"
