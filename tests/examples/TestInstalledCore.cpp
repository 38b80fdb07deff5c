#include "StartedProcess.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

constexpr int kBuildTimeoutMs = 300'000;

QString describe(const ProcessOutcome& outcome)
{
    return QString::fromLocal8Bit(outcome.standardOutput + outcome.standardError);
}

} // namespace

class TestInstalledCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installedTreeIsSelfContained();
    void sameMarkupAsTheCommandLine_data();
    void sameMarkupAsTheCommandLine();

private:
    ProcessOutcome cmake(const QStringList& arguments) const;

    QTemporaryDir m_folder;
    QString m_prefix;
    QString m_example;
};

ProcessOutcome TestInstalledCore::cmake(const QStringList& arguments) const
{
    return StartedProcess::run(QStringLiteral(HUESPAN_CMAKE), arguments, StartedProcess::withoutDisplay(),
                               kBuildTimeoutMs);
}

// Installs the development files alone into a folder of their own and builds the example there,
// as a user of the package would.
void TestInstalledCore::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_prefix = m_folder.filePath(u"usr"_s);
    const QString build = m_folder.filePath(u"build"_s);

    ProcessOutcome outcome = cmake({u"--install"_s, QStringLiteral(HUESPAN_BUILD_DIR), u"--prefix"_s,
                                    m_prefix, u"--component"_s, u"Development"_s});
    QVERIFY2(outcome.finishedNormally && outcome.exitCode == 0, qPrintable(describe(outcome)));

    outcome = cmake({u"-S"_s, QStringLiteral(HUESPAN_SOURCE_DIR "/examples/markup"), u"-B"_s, build, u"-G"_s,
                     QStringLiteral(HUESPAN_CMAKE_GENERATOR), u"-DCMAKE_PREFIX_PATH="_s + m_prefix,
                     u"-DCMAKE_CXX_COMPILER=" HUESPAN_CXX_COMPILER ""_s,
                     u"-DCMAKE_BUILD_TYPE=" HUESPAN_BUILD_TYPE ""_s});
    QVERIFY2(outcome.finishedNormally && outcome.exitCode == 0, qPrintable(describe(outcome)));

    outcome = cmake({u"--build"_s, build});
    QVERIFY2(outcome.finishedNormally && outcome.exitCode == 0, qPrintable(describe(outcome)));
    m_example = build + u"/huespan-markup-example"_s;
    QVERIFY(QFile::exists(m_example));
}

// Nothing installed points back into the source or build tree, which a package user does not have.
void TestInstalledCore::installedTreeIsSelfContained()
{
    QDirIterator files(m_prefix, QDir::Files, QDirIterator::Subdirectories);
    int headers = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.endsWith(u".h"_s)) {
            ++headers;
            // Only the public headers are installed, so each may include only another of them.
            QFile header(path);
            QVERIFY(header.open(QIODevice::ReadOnly));
            static const QRegularExpression include(u"^#include \"([^\"]+)\""_s,
                                                    QRegularExpression::MultilineOption);
            for (const QRegularExpressionMatch& match :
                 include.globalMatch(QString::fromUtf8(header.readAll()))) {
                const QString included = QFileInfo(path).path() + u'/' + match.captured(1);
                QVERIFY2(QFile::exists(included), qPrintable(path + u" includes "_s + match.captured(1)));
            }
        }
        if (!path.endsWith(u".cmake"_s))
            continue;
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(!text.contains(HUESPAN_SOURCE_DIR "/src"), qPrintable(path));
        QVERIFY2(!text.contains(HUESPAN_BUILD_DIR), qPrintable(path));
    }
    QVERIFY(headers >= 5);
}

void TestInstalledCore::sameMarkupAsTheCommandLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("Latin") << u"Huespan"_s;
    QTest::newRow("Japanese") << u"グラデーション"_s;
    QTest::newRow("two characters") << u"ab"_s;
    QTest::newRow("refused: one character") << u"a"_s;
    QTest::newRow("refused: empty") << u""_s;
}

// The example colours red to blue in bold; so does huespan-cli with those options.
void TestInstalledCore::sameMarkupAsTheCommandLine()
{
    QFETCH(QString, text);

    const ProcessOutcome example =
        StartedProcess::run(m_example, {text}, StartedProcess::withoutDisplay(), 60'000);
    const ProcessOutcome cli = StartedProcess::run(
        QStringLiteral(HUESPAN_CLI_PATH),
        {u"--bold"_s, u"--first"_s, u"255,0,0"_s, u"--second"_s, u"0,0,255"_s, u"--"_s, text},
        StartedProcess::withoutDisplay(), 60'000);
    QVERIFY(example.finishedNormally);
    QCOMPARE(example.exitCode, cli.exitCode);
    QCOMPARE(example.standardOutput, cli.standardOutput);
}

QTEST_GUILESS_MAIN(TestInstalledCore)
#include "TestInstalledCore.moc"
