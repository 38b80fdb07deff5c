#include "CliProcess.h"
#include "GradientSettings.h"
#include "RecordingHost.h"
#include "SmallDisk.h"
#include "UnprivilegedUser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

enum class Disk
{
    Roomy,
    SmallTmpfs,    // 16 KiB: the markup does not fit
    FileSizeLimit, // RLIMIT_FSIZE of 4 KiB in the program's process
};

// One state of the output file before a run, and what the run must leave.
struct OutputCase
{
    bool asUnprivilegedUser = false;
    bool folderReadOnly = false;
    // Permissions of the old file; 0: there is none.
    mode_t oldFileMode = 0;
    bool hardLinked = false;
    bool otherOwner = false;
    Disk disk = Disk::Roomy;
    // The text comes from the output file itself.
    bool outputIsInput = false;
    QString text{};
    int exitCode = 0;
    QString message{};
    bool newContents = true;
    // The old file itself (same inode) holds the result.
    bool sameFile = false;
};

const QByteArray kOldContents = "PRECIOUS\n";

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct stat statusOf(const QString& path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

QString markupOf(const QString& text)
{
    return RecordingHost::markupFor(GradientSettings{}, text);
}

} // namespace

Q_DECLARE_METATYPE(OutputCase)

class TestCliFailures : public QObject
{
    Q_OBJECT

private slots:
    void outputFile_data();
    void outputFile();
    void standardStreams_data();
    void standardStreams();
    void nonBlockingInputIsReadToItsEnd();
};

void TestCliFailures::outputFile_data()
{
    QTest::addColumn<OutputCase>("state");

    const QString text = u"ab"_s;
    const QString longText(8000, u'a');
    QTest::newRow("read-only folder, writable file, refused text")
        << OutputCase{.asUnprivilegedUser = true,
                      .folderReadOnly = true,
                      .oldFileMode = 0644,
                      .text = u"a"_s,
                      .exitCode = 1,
                      .message = u"1文字では実行できません！"_s,
                      .newContents = false,
                      .sameFile = true};
    QTest::newRow("read-only folder, writable file, written in place")
        << OutputCase{.asUnprivilegedUser = true,
                      .folderReadOnly = true,
                      .oldFileMode = 0644,
                      .text = text,
                      .sameFile = true};
    QTest::newRow("read-only folder, the output is the input") << OutputCase{.asUnprivilegedUser = true,
                                                                             .folderReadOnly = true,
                                                                             .oldFileMode = 0644,
                                                                             .outputIsInput = true,
                                                                             .sameFile = true};
    QTest::newRow("read-only folder, write-protected file") << OutputCase{.asUnprivilegedUser = true,
                                                                          .folderReadOnly = true,
                                                                          .oldFileMode = 0444,
                                                                          .text = text,
                                                                          .exitCode = 2,
                                                                          .message = u"Permission denied"_s,
                                                                          .newContents = false,
                                                                          .sameFile = true};
    QTest::newRow("read-only folder, no file") << OutputCase{.asUnprivilegedUser = true,
                                                             .folderReadOnly = true,
                                                             .text = text,
                                                             .exitCode = 2,
                                                             .message = u"Permission denied"_s,
                                                             .newContents = false};
    QTest::newRow("replaced file keeps its permissions") << OutputCase{.oldFileMode = 0604, .text = text};
    QTest::newRow("hard-linked file written in place")
        << OutputCase{.oldFileMode = 0644, .hardLinked = true, .text = text, .sameFile = true};
    QTest::newRow("file of another owner written in place")
        << OutputCase{.oldFileMode = 0640, .otherOwner = true, .text = text, .sameFile = true};
    QTest::newRow("full disk, replacement") << OutputCase{.oldFileMode = 0644,
                                                          .disk = Disk::SmallTmpfs,
                                                          .text = longText,
                                                          .exitCode = 2,
                                                          .message = u"No space left on device"_s,
                                                          .newContents = false,
                                                          .sameFile = true};
    QTest::newRow("full disk, in place") << OutputCase{.oldFileMode = 0644,
                                                       .hardLinked = true,
                                                       .disk = Disk::SmallTmpfs,
                                                       .text = longText,
                                                       .exitCode = 2,
                                                       .message = u"No space left on device"_s,
                                                       .newContents = false,
                                                       .sameFile = true};
    QTest::newRow("file size limit") << OutputCase{.oldFileMode = 0644,
                                                   .disk = Disk::FileSizeLimit,
                                                   .text = longText,
                                                   .exitCode = 2,
                                                   .message = u"File too large"_s,
                                                   .newContents = false,
                                                   .sameFile = true};
}

void TestCliFailures::outputFile()
{
    QFETCH(OutputCase, state);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = root.filePath(u"out"_s);
    QVERIFY(QDir().mkpath(folder));
    std::optional<SmallDisk> disk;
    if (state.disk == Disk::SmallTmpfs) {
        disk.emplace(folder, 16);
        if (!disk->isMounted())
            QSKIP("a full disk needs a small tmpfs, and mounting one needs root");
    }
    if (state.otherOwner && !UnprivilegedUser::isRoot())
        QSKIP("a file of another owner needs a second user, which only root can arrange");

    const QString path = folder + u"/f.htm"_s;
    const QString otherLink = folder + u"/link.htm"_s;
    const QByteArray oldContents = state.outputIsInput ? QByteArray("xyz\n") : kOldContents;
    if (state.oldFileMode != 0) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(oldContents);
        old.close();
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), state.oldFileMode), 0);
        if (state.hardLinked)
            QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(otherLink).constData()),
                     0);
    }
    if (state.asUnprivilegedUser)
        UnprivilegedUser::handOver(root.path());
    if (state.otherOwner)
        QCOMPARE(::chown(QFile::encodeName(path).constData(), UnprivilegedUser::kId, UnprivilegedUser::kId),
                 0);
    // The folder is opened again for the temporary folder's removal, whatever the test's outcome.
    const auto reopen = qScopeGuard([&folder] { ::chmod(QFile::encodeName(folder).constData(), 0755); });
    if (state.folderReadOnly)
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const QStringList entriesBefore = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const struct stat before = statusOf(path);

    CliLaunch launch;
    launch.arguments = {u"-o"_s, path};
    if (state.outputIsInput)
        launch.inputPath = path;
    else
        launch.arguments.append(state.text);
    const bool asUser = state.asUnprivilegedUser;
    const bool limited = state.disk == Disk::FileSizeLimit;
    launch.inChild = [asUser, limited] {
        if (limited) {
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (asUser)
            UnprivilegedUser::becomeInChild();
    };
    const CliOutcome outcome = CliProcess::run(launch);

    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, state.exitCode);
    QCOMPARE(outcome.standardOutput, QByteArray());
    const QString message = QString::fromUtf8(outcome.standardError);
    if (state.exitCode == 0)
        QCOMPARE(message, QString());
    else
        QVERIFY2(message.contains(state.message) && message.count(u'\n') == 1, qPrintable(message));

    const QString expectedText = state.outputIsInput ? u"xyz"_s : state.text;
    if (state.newContents)
        QCOMPARE(contents(path), markupOf(expectedText).toUtf8());
    else if (state.oldFileMode != 0)
        QCOMPARE(contents(path), oldContents);
    else
        QVERIFY(!QFile::exists(path));
    // No temporary file is left behind, whatever happened.
    if (state.oldFileMode != 0 || state.newContents)
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 entriesBefore.isEmpty() ? QStringList{u"f.htm"_s} : entriesBefore);
    if (state.oldFileMode == 0)
        return;
    const struct stat after = statusOf(path);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    if (state.sameFile)
        QCOMPARE(after.st_ino, before.st_ino);
    if (state.hardLinked)
        QCOMPARE(contents(otherLink), contents(path));
}

void TestCliFailures::standardStreams_data()
{
    QTest::addColumn<QStringList>("arguments");
    // Standard input from this path (empty: from an empty pipe).
    QTest::addColumn<QString>("inputPath");
    QTest::addColumn<QString>("outputPath");
    // 0, 1: the stream to close; 10: standard input opened for writing only; -1: none.
    QTest::addColumn<int>("spoiled");
    QTest::addColumn<QString>("message");

    const QStringList none;
    QTest::newRow("input is a folder") << none << QDir::tempPath() << QString() << -1
                                       << u"huespan-cli: cannot read standard input: Is a directory\n"_s;
    QTest::newRow("input open for writing only")
        << none << QString() << QString() << 10
        << u"huespan-cli: cannot read standard input: Bad file descriptor\n"_s;
    QTest::newRow("input closed") << none << QString() << QString() << 0
                                  << u"huespan-cli: cannot read standard input: Bad file descriptor\n"_s;
    QTest::newRow("--help to a full device")
        << QStringList{u"--help"_s} << QString() << u"/dev/full"_s << -1
        << u"huespan-cli: cannot write to standard output: No space left on device\n"_s;
    QTest::newRow("--version to a full device")
        << QStringList{u"--version"_s} << QString() << u"/dev/full"_s << -1
        << u"huespan-cli: cannot write to standard output: No space left on device\n"_s;
    QTest::newRow("--version to a closed output")
        << QStringList{u"--version"_s} << QString() << QString() << 1
        << u"huespan-cli: cannot write to standard output: Bad file descriptor\n"_s;
    QTest::newRow("markup to a closed output")
        << QStringList{u"ab"_s} << QString() << QString() << 1
        << u"huespan-cli: cannot write to standard output: Bad file descriptor\n"_s;
    QTest::newRow("markup to a full device")
        << QStringList{u"ab"_s} << QString() << u"/dev/full"_s << -1
        << u"huespan-cli: cannot write to standard output: No space left on device\n"_s;
}

void TestCliFailures::standardStreams()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, inputPath);
    QFETCH(QString, outputPath);
    QFETCH(int, spoiled);
    QFETCH(QString, message);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QByteArray writeOnlyPath = QFile::encodeName(folder.filePath(u"write-only"_s));
    CliLaunch launch;
    launch.arguments = arguments;
    launch.inputPath = inputPath;
    launch.outputPath = outputPath;
    launch.inChild = [spoiled, writeOnlyPath] {
        if (spoiled == 10) {
            const int descriptor = ::open(writeOnlyPath.constData(), O_WRONLY | O_CREAT, 0600);
            ::dup2(descriptor, STDIN_FILENO);
        } else if (spoiled >= 0) {
            ::close(spoiled);
        }
    };
    const CliOutcome outcome = CliProcess::run(launch);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(QString::fromUtf8(outcome.standardError), message);
    QCOMPARE(outcome.exitCode, 2);
}

void TestCliFailures::nonBlockingInputIsReadToItsEnd()
{
    // A writer that is slower than the reader: the reader finds the pipe empty before its end.
    QProcess process;
    process.setChildProcessModifier([] { ::fcntl(STDIN_FILENO, F_SETFL, O_NONBLOCK); });
    process.start(QStringLiteral(HUESPAN_CLI_PATH), {});
    QVERIFY(process.waitForStarted());
    process.write("ab");
    QVERIFY(process.waitForBytesWritten());
    QTest::qWait(300);
    process.write("cd\n");
    QVERIFY(process.waitForBytesWritten());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(120'000));
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), markupOf(u"abcd"_s));
}

QTEST_GUILESS_MAIN(TestCliFailures)
#include "TestCliFailures.moc"
