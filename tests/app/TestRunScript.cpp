#include "StartedProcess.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

class TestRunScript : public QObject
{
    Q_OBJECT

private slots:
    void withoutDisplay_data();
    void withoutDisplay();
    void withPlatformStartsTheProgram();

private:
    static QProcessEnvironment scriptEnvironment();
};

// The script's environment: the build that is there, and no display.
QProcessEnvironment TestRunScript::scriptEnvironment()
{
    QProcessEnvironment environment = StartedProcess::withoutDisplay();
    environment.insert(u"HUESPAN_SKIP_BUILD"_s, u"1"_s);
    environment.insert(u"HUESPAN_BUILD_DIR"_s, QStringLiteral(HUESPAN_BUILD_DIR));
    return environment;
}

void TestRunScript::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("environment");

    QTest::newRow("no display variables") << QStringList{};
    QTest::newRow("empty display variables") << QStringList{u"DISPLAY="_s, u"WAYLAND_DISPLAY="_s};
}

// On a machine without a display the script shows the program's work through huespan-cli and
// succeeds, against the build that is there.
void TestRunScript::withoutDisplay()
{
    QFETCH(QStringList, environment);

    QProcessEnvironment processEnvironment = scriptEnvironment();
    for (const QString& setting : std::as_const(environment))
        processEnvironment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));

    const QString page = QStringLiteral(HUESPAN_BUILD_DIR) + u"/huespan-sample.htm"_s;
    QFile::remove(page);
    const ProcessOutcome outcome = StartedProcess::run(
        u"bash"_s, {QStringLiteral(HUESPAN_SOURCE_DIR) + u"/scripts/run.sh"_s}, processEnvironment, 120'000);
    QVERIFY(outcome.finished);
    QVERIFY2(outcome.finishedNormally && outcome.exitCode == 0, outcome.standardError.constData());

    const QString said = QString::fromUtf8(outcome.standardOutput);
    QVERIFY2(said.contains(u"No display was found"_s), qPrintable(said));
    QVERIFY2(said.contains(page), qPrintable(said));
    QVERIFY2(said.contains(u"xvfb-run"_s), qPrintable(said));

    QFile written(page);
    QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(page));
    const QString markup = QString::fromUtf8(written.readAll());
    // Every character of the sample wears its own colour, the first red and the last blue.
    const QRegularExpression colour(uR"re(<FONT COLOR="#([0-9A-F]{6})">)re"_s);
    QStringList colours;
    for (const QRegularExpressionMatch& match : colour.globalMatch(markup))
        colours.append(match.captured(1));
    QVERIFY2(colours.size() >= 2, qPrintable(markup));
    QCOMPARE(colours.constFirst(), u"FF0000"_s);
    QCOMPARE(colours.constLast(), u"0000FF"_s);
    QVERIFY(markup.contains(u"虹"_s));
    // The first lines of the page are shown as they are in the file.
    const QString firstLine = markup.section(u'\n', 0, 0).trimmed();
    QVERIFY2(said.contains(firstLine), qPrintable(firstLine));
}

// Where the windows can open, the script starts the program, which then waits for the user.
void TestRunScript::withPlatformStartsTheProgram()
{
    QProcessEnvironment environment = scriptEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    const ProcessOutcome outcome = StartedProcess::run(
        u"bash"_s, {QStringLiteral(HUESPAN_SOURCE_DIR) + u"/scripts/run.sh"_s}, environment, 3'000);
    QVERIFY2(!outcome.finished, outcome.standardError.constData());
    QVERIFY(!outcome.standardOutput.contains("No display"));
}

QTEST_GUILESS_MAIN(TestRunScript)
#include "TestRunScript.moc"
