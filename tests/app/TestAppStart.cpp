#include "StartedProcess.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

// "NAME=value" entries added to an environment without any display; "@RUNTIME@" stands for a
// private runtime folder in which no Wayland compositor listens.
QProcessEnvironment environmentWith(const QStringList& settings, const QString& runtimeFolder)
{
    QProcessEnvironment environment = StartedProcess::withoutDisplay();
    for (const QString& setting : settings) {
        QString value = setting.section(u'=', 1);
        value.replace(u"@RUNTIME@"_s, runtimeFolder);
        environment.insert(setting.section(u'=', 0, 0), value);
    }
    return environment;
}

QByteArrayList lines(const QByteArray& text)
{
    QByteArrayList result = text.split('\n');
    if (!result.isEmpty() && result.constLast().isEmpty())
        result.removeLast();
    return result;
}

} // namespace

class TestAppStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusedStart_data();
    void refusedStart();
    void answerWithoutDisplay_data();
    void answerWithoutDisplay();
    void chosenPlatformStarts_data();
    void chosenPlatformStarts();
    void fileSizeSignalIsIgnored();

private:
    QTemporaryDir m_runtimeFolder;
};

void TestAppStart::initTestCase()
{
    QVERIFY(m_runtimeFolder.isValid());
}

void TestAppStart::refusedStart_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    // Texts the one line on standard error must hold.
    QTest::addColumn<QStringList>("named");

    const QStringList displayAdvice{u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"huespan-cli"_s};
    QTest::newRow("no display variables") << QStringList{} << QStringList{} << displayAdvice;
    QTest::newRow("empty display variables")
        << QStringList{u"DISPLAY="_s, u"WAYLAND_DISPLAY="_s, u"QT_QPA_PLATFORM="_s} << QStringList{}
        << displayAdvice;
    QTest::newRow("X display nobody serves")
        << QStringList{u"DISPLAY=:9797"_s} << QStringList{}
        << QStringList{u"\":9797\""_s, u"WAYLAND_DISPLAY"_s, u"huespan-cli"_s};
    QTest::newRow("Wayland display nobody serves")
        << QStringList{u"WAYLAND_DISPLAY=huespan-none"_s, u"XDG_RUNTIME_DIR=@RUNTIME@"_s} << QStringList{}
        << QStringList{u"\"huespan-none\""_s, u"DISPLAY"_s, u"huespan-cli"_s};
    QTest::newRow("user's platform without its display")
        << QStringList{u"QT_QPA_PLATFORM=xcb"_s} << QStringList{}
        << QStringList{u"QT_QPA_PLATFORM=\"xcb\""_s, u"huespan-cli"_s};
    QTest::newRow("-platform without its display")
        << QStringList{} << QStringList{u"-platform"_s, u"xcb"_s} << displayAdvice;
    QTest::newRow("unknown platform") << QStringList{u"QT_QPA_PLATFORM=nosuchplatform"_s} << QStringList{}
                                      << QStringList{u"nosuchplatform"_s, u"huespan-cli"_s};

    QTest::newRow("unknown long option")
        << QStringList{} << QStringList{u"--colour"_s} << QStringList{u"\"--colour\""_s};
    QTest::newRow("unknown short option")
        << QStringList{} << QStringList{u"-x"_s} << QStringList{u"\"-x\""_s};
    QTest::newRow("unknown option before a good one")
        << QStringList{} << QStringList{u"--bogus"_s, u"--help"_s} << QStringList{u"\"--bogus\""_s};
    QTest::newRow("unknown option with a display")
        << QStringList{u"DISPLAY=:9797"_s} << QStringList{u"--bogus"_s} << QStringList{u"\"--bogus\""_s};
    QTest::newRow("file name") << QStringList{} << QStringList{u"page.htm"_s}
                               << QStringList{u"\"page.htm\""_s};
    QTest::newRow("Qt option without its value")
        << QStringList{} << QStringList{u"-style"_s} << QStringList{u"style"_s};
}

void TestAppStart::refusedStart()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, named);

    const ProcessOutcome outcome =
        StartedProcess::run(QStringLiteral(HUESPAN_APP_PATH), arguments,
                            environmentWith(environment, m_runtimeFolder.path()), 60'000);
    QVERIFY2(outcome.finished, "the program did not end");
    // An abort would be a crash exit with a core dump.
    QVERIFY2(outcome.finishedNormally, outcome.standardError.constData());
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY(outcome.standardOutput.isEmpty());
    const QByteArrayList errorLines = lines(outcome.standardError);
    QCOMPARE(errorLines.size(), 1);
    const QString line = QString::fromLocal8Bit(errorLines.constFirst());
    QVERIFY2(line.startsWith(u"huespan: "_s), qPrintable(line));
    for (const QString& text : named)
        QVERIFY2(line.contains(text), qPrintable(u"missing "_s + text + u" in: "_s + line));
}

void TestAppStart::answerWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("shown");

    const QStringList help{u"Usage: huespan [options]"_s, u"--help"_s, u"--version"_s, u"huespan-cli"_s};
    const QStringList version{u"huespan " HUESPAN_VERSION "\n"_s};
    QTest::newRow("--help") << QStringList{u"--help"_s} << help;
    QTest::newRow("-h") << QStringList{u"-h"_s} << help;
    QTest::newRow("--version") << QStringList{u"--version"_s} << version;
    QTest::newRow("-v") << QStringList{u"-v"_s} << version;
    QTest::newRow("--help with a Qt option") << QStringList{u"-style"_s, u"fusion"_s, u"--help"_s} << help;
}

void TestAppStart::answerWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, shown);

    const ProcessOutcome outcome = StartedProcess::run(QStringLiteral(HUESPAN_APP_PATH), arguments,
                                                       StartedProcess::withoutDisplay(), 60'000);
    QVERIFY(outcome.finished);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardError, QByteArray());
    const QString output = QString::fromLocal8Bit(outcome.standardOutput);
    for (const QString& text : shown)
        QVERIFY2(output.contains(text), qPrintable(u"missing "_s + text + u" in: "_s + output));
    QVERIFY(!output.contains(u"executable_name"_s));
}

void TestAppStart::chosenPlatformStarts_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("QT_QPA_PLATFORM") << QStringList{u"QT_QPA_PLATFORM=offscreen"_s} << QStringList{};
    QTest::newRow("QT_QPA_PLATFORM beside an X display nobody serves")
        << QStringList{u"QT_QPA_PLATFORM=offscreen"_s, u"DISPLAY=:9797"_s} << QStringList{};
    QTest::newRow("-platform") << QStringList{} << QStringList{u"-platform"_s, u"offscreen"_s};
}

// A platform the user names is used as named: the program starts and waits for the user.
void TestAppStart::chosenPlatformStarts()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);

    const ProcessOutcome outcome =
        StartedProcess::run(QStringLiteral(HUESPAN_APP_PATH), arguments,
                            environmentWith(environment, m_runtimeFolder.path()), 3'000);
    QVERIFY2(!outcome.finished, outcome.standardError.constData());
    QVERIFY2(!outcome.standardError.contains("huespan:"), outcome.standardError.constData());
}

// Past the file size limit a write must fail and be reported, not end the program with a settings
// file or a page half written: the running program ignores the signal, as huespan-cli does.
void TestAppStart::fileSizeSignalIsIgnored()
{
    QTemporaryDir config;
    QVERIFY(config.isValid());
    QProcessEnvironment environment =
        environmentWith({u"QT_QPA_PLATFORM=offscreen"_s}, m_runtimeFolder.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    const auto previousHandler = std::signal(SIGXFSZ, SIG_DFL);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(HUESPAN_APP_PATH), {});
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(program.waitForStarted());

    const auto ignored = [&program] {
        QFile status(u"/proc/%1/status"_s.arg(program.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("SigIgn:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGXFSZ - 1))) != 0;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(ignored(), 20'000);
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestAppStart)
#include "TestAppStart.moc"
