// Times a whole generation on the real windows against the cost of its event loop alone, and the
// repaints of the result view while it scrolls. Run it under the offscreen platform and under an
// X server (xvfb-run); build it in Release for figures that mean something.
//
//   floor_ms       32767 turns of setting the progress window's text and one event-loop turn each
//   run_ms         "生成！" with a 32767-character text, to the first paint of the result view
//   run_lines_ms   the same with a line break after every element
//   scroll_max_ms  the slowest of ten repaints that scroll the single-line result across its whole
//                  width and ten that scroll the line-broken result down its whole height
//   ratio          run_ms / floor_ms
//   run_extended_ms "生成！" with the same text, five stops in OKLCH, grapheme units, merged
//   extended_ratio run_extended_ms / floor_ms
//   swatch_scroll_max_ms the slowest of ten repaints that scroll the 「色見本」 view of the 32767-character
//                  result down its whole height
//
// Each figure is the median over a few rounds. The last line of the output is one JSON object.
//
//   huespan-bench-gui [--rounds N]      the program's own result view
//   huespan-bench-gui --plain-text-edit also QPlainTextEdit's figures for the same markup

#include "ProgressText.h"
#include "WindowSet.h"
#include "WindowsGenerationHost.h"
#include "main/Form1.h"
#include "result/Form2.h"
#include "ui/AdvancedSettings.h"
#include "ui/ColourSwatchView.h"
#include "ui/MessageBox.h"
#include "ui/PlainTextView.h"
#include "ui/ProgramLook.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace huespan;

namespace {

constexpr int kLongestText = 32767;
constexpr int kScrollSamples = 10;
constexpr int kDefaultRounds = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
}

// Notes the paint events that reach one widget, so that a measurement can end with a finished
// paint rather than a requested one.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(QWidget* watched)
        : m_watched(watched)
    {
        watched->installEventFilter(this);
    }

    void reset() { m_painted = false; }

    // Runs the event loop until the widget has been painted.
    void waitForPaint()
    {
        while (!m_painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_watched && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QWidget* m_watched;
    bool m_painted = false;
};

// Watches for the first paint of the result view, which does not exist before the run shows it.
class ResultPaintWatcher : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted && SingleInstance<Form2>::isLoaded()) {
            auto* view = form2().Text1;
            if (watched == view->viewport())
                painted = true;
        }
        return false;
    }
};

QString sampleText()
{
    // Japanese and Latin letters, as users colour them: every character becomes an element.
    const QString pattern = QStringLiteral(u"グラデーション文字列 Gradient text 0123456789 ");
    QString text;
    text.reserve(kLongestText);
    while (text.size() < kLongestText)
        text += pattern;
    text.truncate(kLongestText);
    return text;
}

double floorMilliseconds()
{
    WindowsGenerationHost host;
    QElapsedTimer timer;
    timer.start();
    host.ShowProgress();
    for (int done = 1; done <= kLongestText; ++done) {
        host.SetProgressText(ProgressText(static_cast<int>(static_cast<qint64>(done) * 100 / kLongestText)));
        host.PumpEvents();
    }
    host.CloseProgress();
    return milliseconds(timer);
}

double runMilliseconds(bool lineBreaks)
{
    Form1& mainWindow = form1();
    mainWindow.Text1->setText(sampleText());
    mainWindow.Check5->setChecked(lineBreaks);

    ResultPaintWatcher watcher;
    qApp->installEventFilter(&watcher);
    QElapsedTimer timer;
    timer.start();
    mainWindow.Command1_Click();
    while (!watcher.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double elapsed = milliseconds(timer);
    qApp->removeEventFilter(&watcher);
    return elapsed;
}

// The advanced settings a user keeps are set through the main window, as the dialog's OK sets them.
double extendedRunMilliseconds()
{
    AdvancedSettings advanced;
    advanced.gradient = GradientChoice::Stops;
    advanced.stops = {{ColourTriple{255, 94, 58}, std::nullopt},
                      {ColourTriple{255, 200, 0}, std::nullopt},
                      {ColourTriple{40, 180, 99}, std::nullopt},
                      {ColourTriple{30, 110, 230}, std::nullopt},
                      {ColourTriple{150, 60, 200}, std::nullopt}};
    advanced.options.space = ColourSpace::Oklch;
    advanced.options.unit = TextUnit::Grapheme;
    advanced.options.merge = true;
    form1().setAdvancedSettings(advanced);
    const double elapsed = runMilliseconds(false);
    form1().setAdvancedSettings(AdvancedSettings{});
    return elapsed;
}

// The slowest of the repaints that scroll a view to evenly spread places of one scroll bar.
double slowestScrollRepaint(QAbstractScrollArea* view, QScrollBar* bar)
{
    PaintWatcher watcher(view->viewport());
    QCoreApplication::processEvents();
    double slowest = 0;
    if (bar->maximum() <= 1)
        return slowest;
    for (int sample = 1; sample <= kScrollSamples; ++sample) {
        const int target = static_cast<int>(static_cast<qint64>(bar->maximum()) * sample / kScrollSamples);
        watcher.reset();
        QElapsedTimer timer;
        timer.start();
        bar->setValue(target != bar->value() ? target : target - 1);
        watcher.waitForPaint();
        slowest = std::max(slowest, milliseconds(timer));
    }
    return slowest;
}

double slowestScrollOfResult()
{
    PlainTextView* view = form2().Text1;
    return std::max(slowestScrollRepaint(view, view->horizontalScrollBar()),
                    slowestScrollRepaint(view, view->verticalScrollBar()));
}

double slowestScrollOfSwatch()
{
    form2().swatchViewAction->trigger();
    ColourSwatchView* view = form2().Swatch;
    PaintWatcher(view->viewport()).waitForPaint();
    return slowestScrollRepaint(view, view->verticalScrollBar());
}

void closeResult()
{
    form2().close();
    QCoreApplication::processEvents();
}

// The same work on Qt's own plain-text edit: setting the markup, showing it, scrolling it.
QJsonObject plainTextEditFigures(const QString& markup)
{
    QPlainTextEdit edit;
    edit.setReadOnly(true);
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(441, 307);
    PaintWatcher watcher(edit.viewport());
    QElapsedTimer timer;
    timer.start();
    edit.setPlainText(markup);
    edit.show();
    watcher.waitForPaint();
    const double showMs = milliseconds(timer);
    const double scrollMs = slowestScrollRepaint(&edit, edit.horizontalScrollBar());
    return {{QStringLiteral(u"plain_text_edit_show_ms"), showMs},
            {QStringLiteral(u"plain_text_edit_scroll_max_ms"), scrollMs}};
}

void print(const QJsonObject& figures)
{
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral(u"Huespan"));
    // The advanced settings the extended run sets are kept away from the user's own.
    QStandardPaths::setTestModeEnabled(true);
    applyProgramLook(application);
    const QStringList arguments = QCoreApplication::arguments();
    const bool comparePlainTextEdit = arguments.contains(QStringLiteral(u"--plain-text-edit"));
    const qsizetype roundsAt = arguments.indexOf(QStringLiteral(u"--rounds"));
    const int rounds = roundsAt > 0 && roundsAt + 1 < arguments.size()
                           ? std::max(1, arguments.at(roundsAt + 1).toInt())
                           : kDefaultRounds;

    // A run asks nothing of a 32767-character text, but any box must not wait for a click.
    MessageBox::setHandler([](const QString&, MessageBox::Style style) {
        return style == MessageBox::Style::InformationYesNo ? MessageBox::Answer::No : MessageBox::Answer::Ok;
    });

    Form1& mainWindow = form1();
    mainWindow.show();
    PaintWatcher(&mainWindow).waitForPaint();

    // The machine is shared, so each figure is the median of a few rounds, each round measuring
    // the floor and the runs back to back under the same load.
    std::vector<double> floors, runs, runsWithLines, scrolls, extendedRuns, swatchScrolls;
    QString singleLineMarkup;
    for (int round = 1; round <= rounds; ++round) {
        floors.push_back(floorMilliseconds());
        runs.push_back(runMilliseconds(false));
        singleLineMarkup = form2().text();
        double scrollMs = slowestScrollOfResult();
        swatchScrolls.push_back(slowestScrollOfSwatch());
        closeResult();
        runsWithLines.push_back(runMilliseconds(true));
        scrolls.push_back(std::max(scrollMs, slowestScrollOfResult()));
        closeResult();
        extendedRuns.push_back(extendedRunMilliseconds());
        closeResult();
        std::fprintf(stderr,
                     "round %d: floor %.1f ms, run %.1f ms, run with line breaks %.1f ms, scroll %.1f ms, "
                     "extended run %.1f ms, swatch scroll %.1f ms\n",
                     round, floors.back(), runs.back(), runsWithLines.back(), scrolls.back(),
                     extendedRuns.back(), swatchScrolls.back());
    }
    const double floorMs = median(floors);
    const double runMs = median(runs);
    const double extendedRunMs = median(extendedRuns);

    QJsonObject figures{
        {QStringLiteral(u"platform"), QGuiApplication::platformName()},
        {QStringLiteral(u"markup_chars"), static_cast<double>(singleLineMarkup.size())},
        {QStringLiteral(u"rounds"), rounds},
        {QStringLiteral(u"floor_ms"), floorMs},
        {QStringLiteral(u"run_ms"), runMs},
        {QStringLiteral(u"run_lines_ms"), median(runsWithLines)},
        {QStringLiteral(u"scroll_max_ms"), median(scrolls)},
        {QStringLiteral(u"ratio"), runMs / floorMs},
        {QStringLiteral(u"run_extended_ms"), extendedRunMs},
        {QStringLiteral(u"extended_ratio"), extendedRunMs / floorMs},
        {QStringLiteral(u"swatch_scroll_max_ms"), median(swatchScrolls)},
    };
    if (comparePlainTextEdit) {
        const QJsonObject comparison = plainTextEditFigures(singleLineMarkup);
        for (auto it = comparison.begin(); it != comparison.end(); ++it)
            figures.insert(it.key(), it.value());
    }
    print(figures);
    return 0;
}
