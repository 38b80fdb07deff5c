#include "ColourVision.h"
#include "ContrastFloor.h"
#include "Module1.h"
#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "main/Form1.h"
#include "result/Form2.h"
#include "result/Form3.h"
#include "ui/AdvancedSettings.h"
#include "ui/Clipboard.h"
#include "ui/ColourSwatchView.h"
#include "ui/MessageBox.h"
#include "ui/PlainTextView.h"
#include "ui/ProgramLook.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

// Declared before the data table first stores it.
Q_DECLARE_METATYPE(huespan::AdvancedSettings)

namespace huespan {

class TestColourSwatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void paintsTheRunColours_data();
    void paintsTheRunColours();
    void paintsTheRunAfterTheMainWindowChanged();
    void componentsBeyondAByteAreClamped();
    void backgroundFollowsThePreviewDialog();
    void copyAlwaysCopiesTheMarkup();
    void wrapsToTheWidthAndScrolls();
    void marksLowContrastAndSimulatesVision();
};

namespace {

// The colour of every element, in order, as the markup writes it (FONT or span elements).
QList<QColor> markupColours(const QString& markup)
{
    static const QRegularExpression colour(u"(?:color:|COLOR=\")#([0-9A-Fa-f]{6})"_s);
    QList<QColor> colours;
    for (const QRegularExpressionMatch& match : colour.globalMatch(markup))
        colours.append(QColor(u'#' + match.captured(1)));
    return colours;
}

bool hasPixel(const QImage& image, const std::function<bool(const QColor&)>& wanted)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (wanted(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

void run(const QString& text, const AdvancedSettings& advanced)
{
    Form1& window = form1();
    window.setAdvancedSettings(advanced);
    window.Text1->setText(text);
    const QStringList components{u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    for (qsizetype index = 0; index < components.size(); ++index)
        window.TextC.at(index)->setText(components.at(index));
    window.Command1->click();
}

} // namespace

void TestColourSwatch::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    applyProgramLook(*qApp);
}

void TestColourSwatch::init()
{
    unloadAllWindows();
    form1().show();
    QVERIFY(QTest::qWaitForWindowActive(&form1()));
}

void TestColourSwatch::cleanup()
{
    if (SingleInstance<Form1>::isLoaded())
        form1().setAdvancedSettings(AdvancedSettings{});
    unloadAllWindows();
}

void TestColourSwatch::paintsTheRunColours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<AdvancedSettings>("advanced");
    QTest::addColumn<bool>("bothSides");

    QTest::newRow("plain") << u"グラデーション"_s << AdvancedSettings{} << false;
    QTest::newRow("plain, both sides") << u"グラデーションの文字"_s << AdvancedSettings{} << true;
    AdvancedSettings advanced;
    advanced.options.format = OutputFormat::Span;
    advanced.options.space = ColourSpace::Oklch;
    QTest::newRow("span, OKLCH") << u"Huespan colours"_s << advanced << false;
    advanced.options.unit = TextUnit::Grapheme;
    advanced.options.skipWhitespace = true;
    QTest::newRow("graphemes, blanks uncoloured")
        << u"👨‍👩‍👧 e\u0301 ab  cd"_s << advanced << false;
    advanced.gradient = GradientChoice::Rainbow;
    advanced.options.reverse = true;
    QTest::newRow("rainbow reversed") << u"0123456789abcdef"_s << advanced << true;
}

void TestColourSwatch::paintsTheRunColours()
{
    QFETCH(QString, text);
    QFETCH(AdvancedSettings, advanced);
    QFETCH(bool, bothSides);

    if (bothSides)
        form1().Option6->click();
    run(text, advanced);
    QVERIFY(SingleInstance<Form2>::isLoaded());
    Form2& window = form2();
    QVERIFY(window.codeViewAction->isChecked());
    QCOMPARE(window.centralWidget(), window.Text1);

    window.swatchViewAction->trigger();
    QVERIFY(window.swatchViewAction->isChecked());
    QVERIFY(window.Swatch != nullptr);
    QCOMPARE(window.centralWidget(), window.Swatch);
    QCOMPARE(window.Swatch->unitColours(), markupColours(window.text()));

    window.codeViewAction->trigger();
    QCOMPARE(window.centralWidget(), window.Text1);
    QVERIFY(window.Text1->isVisible());
    QVERIFY(!window.Swatch->isVisible());
}

void TestColourSwatch::paintsTheRunAfterTheMainWindowChanged()
{
    AdvancedSettings advanced;
    advanced.options.format = OutputFormat::Span;
    advanced.options.space = ColourSpace::Oklab;
    advanced.options.skipWhitespace = true;
    run(u"色 見本"_s, advanced);
    QVERIFY(SingleInstance<Form2>::isLoaded());
    Form2& window = form2();

    // What the main window holds now has nothing to do with the result on show.
    Form1& mainWindow = form1();
    mainWindow.setAdvancedSettings(AdvancedSettings{});
    mainWindow.Text1->setText(u"まったく別の長い文章"_s);
    mainWindow.Option6->click();
    mainWindow.TextC.at(0)->setText(u"0"_s);
    mainWindow.TextC.at(1)->setText(u"255"_s);

    window.swatchViewAction->trigger();
    const QList<QColor> colours = window.Swatch->unitColours();
    QCOMPARE(colours.size(), 3);
    QCOMPARE(colours, markupColours(window.text()));
    QVERIFY(colours.first().red() > 200 && colours.first().green() < 30);
    QVERIFY(colours.last().blue() > 200 && colours.last().green() < 30);
}

void TestColourSwatch::componentsBeyondAByteAreClamped()
{
    // Pasted field text can carry a component past a byte, or (in hexadecimal) far past it.
    GradientSettings settings;
    settings.componentTexts = {u"999"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"7FFF"_s};
    settings.notation = Notation::Hexadecimal;
    ColourSwatchView view;
    view.setRun(u"ab"_s, settings);
    QCOMPARE(view.unitColours(), (QList<QColor>{QColor(255, 0, 0), QColor(0, 0, 255)}));
}

void TestColourSwatch::backgroundFollowsThePreviewDialog()
{
    module1().PreviewBackground = {0, 0, 0};
    run(u"背景の色"_s, AdvancedSettings{});
    Form2& window = form2();
    window.swatchViewAction->trigger();
    const auto cornerColour = [&window] {
        return window.Swatch->viewport()->grab().toImage().pixelColor(1, 1);
    };
    QCOMPARE(cornerColour(), QColor(Qt::black));

    // キャンセル keeps the colour shown in the fields, and the view takes it at once.
    QTimer::singleShot(0, qApp, [] {
        Form3& dialog = form3();
        for (QLineEdit* field : dialog.TextC)
            field->setText(u"255"_s);
        dialog.Command2->click();
    });
    window.mnuPreview->trigger();
    QCOMPARE(cornerColour(), QColor(Qt::white));
    module1().PreviewBackground = {0, 0, 0};
}

void TestColourSwatch::copyAlwaysCopiesTheMarkup()
{
    QString copied;
    Clipboard::setHandler([&copied](const QString& text) { copied = text; });
    run(u"虹色の文字"_s, AdvancedSettings{});
    form2().swatchViewAction->trigger();
    form2().mnuCopy->trigger();
    Clipboard::setHandler({});
    QCOMPARE(copied, form2().text());
    QVERIFY(copied.contains(u"<FONT"_s));
}

// Red to blue on black: the red end reaches 4.5:1, the blue end does not. The marks fall on
// exactly the units below it, the lowest contrast stands under the view, and each vision paints
// every unit as the simulation sees its colour; the markup stays as it was.
void TestColourSwatch::marksLowContrastAndSimulatesVision()
{
    module1().PreviewBackground = {0, 0, 0};
    run(u"コントラストの確認"_s, AdvancedSettings{});
    Form2& window = form2();
    const QString markup = window.text();
    const QList<QColor> colours = markupColours(markup);
    const auto triple = [](const QColor& c) {
        return ColourTriple{static_cast<qint16>(c.red()), static_cast<qint16>(c.green()),
                            static_cast<qint16>(c.blue())};
    };
    const ColourTriple black{0, 0, 0};

    window.contrastMarksAction->trigger();
    QCOMPARE(window.centralWidget(), window.Swatch);
    QSet<QRgb> low;
    double lowest = 21;
    for (const QColor& colour : colours) {
        const double ratio = Contrast::ratio(triple(colour), black);
        lowest = std::min(lowest, ratio);
        if (ratio < 4.5)
            low.insert(colour.rgb());
    }
    QVERIFY(!low.isEmpty() && low.size() < colours.size());
    QSet<QRgb> marked;
    const ColouredTextLayout& layout = window.Swatch->layout();
    for (qsizetype line = 0; line < layout.lineCount(); ++line) {
        for (const ColouredTextLayout::ColouredRun& run : layout.runs(line)) {
            if (run.marked)
                marked.insert(run.colour.rgb());
        }
    }
    QCOMPARE(marked, low);
    const auto* label = window.statusBar()->findChild<QLabel*>();
    QVERIFY(label != nullptr && window.statusBar()->isVisible());
    QVERIFY2(label->text().contains(QString::number(std::floor(lowest * 100) / 100, 'f', 2) + u":1"_s),
             qPrintable(label->text()));

    for (int vision = 1; vision < 4; ++vision) {
        window.colourVisionActions.at(vision)->trigger();
        QList<QColor> seen;
        for (const QColor& colour : colours) {
            const ColourTriple simulated = simulatedColour(triple(colour), static_cast<ColourVision>(vision));
            seen.append(QColor(simulated.red, simulated.green, simulated.blue));
        }
        QCOMPARE(window.Swatch->unitColours(), seen);
    }
    window.colourVisionActions.front()->trigger();
    QCOMPARE(window.Swatch->unitColours(), colours);
    window.contrastMarksAction->trigger();
    QVERIFY(!window.statusBar()->isVisible());
    QCOMPARE(window.text(), markup);
}

void TestColourSwatch::wrapsToTheWidthAndScrolls()
{
    run(QString(32767, u'あ'), AdvancedSettings{});
    Form2& window = form2();
    window.swatchViewAction->trigger();
    ColourSwatchView* view = window.Swatch;
    QCOMPARE(view->unitColours().size(), 32767);
    const qsizetype narrow = view->lineCount();
    QVERIFY(narrow > 100);
    window.resize(window.width() * 2, window.height());
    QTRY_VERIFY(view->lineCount() < narrow);
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    // The top is painted in the first colour, the bottom, scrolled to, in the last.
    QVERIFY(hasPixel(view->viewport()->grab().toImage(),
                     [](const QColor& c) { return c.red() > 220 && c.blue() < 40; }));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QVERIFY(hasPixel(view->viewport()->grab().toImage(),
                     [](const QColor& c) { return c.blue() > 220 && c.red() < 40; }));
}

} // namespace huespan

QTEST_MAIN(huespan::TestColourSwatch)
#include "TestColourSwatch.moc"
