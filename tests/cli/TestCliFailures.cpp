#include "CliProcess.h"
#include "GradientSettings.h"
#include "RecordingHost.h"
#include "SmallDisk.h"
#include "UnprivilegedUser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <optional>
#include <sys/mount.h>
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
    FullExt2,      // a full ext2 file system, which reserves no room beforehand
};

// One state of the output file before a run, and what the run must leave.
struct OutputCase
{
    bool asUnprivilegedUser = false;
    bool folderReadOnly = false;
    // Permissions of the old file; 0: there is none.
    mode_t oldFileMode = 0;
    bool hardLinked = false;
    // A second file bound onto the old one (mount --bind), as a container's volume.
    bool bindMounted = false;
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
    // The write stopped part-way, and the message says how far.
    bool partWritten = false;
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

// A small ext2 file system in an image on a loop device, mounted on a folder for the life of the
// object. ext2 reserves no room ahead (no fallocate), so a write into it can fail part-way.
class LoopExt2 final
{
public:
    LoopExt2(const QString& image, const QString& folder)
        : m_folder(folder)
    {
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(1024 * 1024))
            return;
        file.close();
        m_mounted = QProcess::execute(u"mke2fs"_s, {u"-q"_s, u"-F"_s, u"-t"_s, u"ext2"_s, u"-b"_s, u"4096"_s,
                                                    u"-m"_s, u"0"_s, image}) == 0 &&
                    QProcess::execute(u"mount"_s, {u"-o"_s, u"loop"_s, image, folder}) == 0;
        if (m_mounted)
            ::chmod(QFile::encodeName(folder).constData(), 0755);
    }
    ~LoopExt2()
    {
        if (m_mounted)
            QProcess::execute(u"umount"_s, {u"-l"_s, m_folder});
    }
    Q_DISABLE_COPY_MOVE(LoopExt2)

    bool isMounted() const { return m_mounted; }
    // Takes every free block, with a file that is then left in place.
    void fill() const
    {
        QFile filler(m_folder + u"/filler"_s);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        const QByteArray byte(1, 'f');
        while (filler.write(byte) == 1) {
        }
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

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
    void outputIsAnOpenStream_data();
    void outputIsAnOpenStream();
    void boundedInput_data();
    void boundedInput();
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
    // In place: the size limit is checked before the first byte changes.
    QTest::newRow("read-only folder, file size limit") << OutputCase{.asUnprivilegedUser = true,
                                                                     .folderReadOnly = true,
                                                                     .oldFileMode = 0644,
                                                                     .disk = Disk::FileSizeLimit,
                                                                     .text = longText,
                                                                     .exitCode = 2,
                                                                     .message = u"File too large"_s,
                                                                     .newContents = false,
                                                                     .sameFile = true};
    QTest::newRow("hard-linked file, file size limit") << OutputCase{.asUnprivilegedUser = true,
                                                                     .oldFileMode = 0644,
                                                                     .hardLinked = true,
                                                                     .disk = Disk::FileSizeLimit,
                                                                     .text = longText,
                                                                     .exitCode = 2,
                                                                     .message = u"File too large"_s,
                                                                     .newContents = false,
                                                                     .sameFile = true};
    QTest::newRow("full disk without reservation, in place")
        << OutputCase{.oldFileMode = 0644,
                      .hardLinked = true,
                      .disk = Disk::FullExt2,
                      .text = longText,
                      .exitCode = 2,
                      .message = u"No space left on device; the file is left part-written"_s,
                      .newContents = false,
                      .sameFile = true,
                      .partWritten = true};
    // Nothing can be renamed onto a mount point: the file is written in place.
    QTest::newRow("bind-mounted file") << OutputCase{
        .asUnprivilegedUser = true, .oldFileMode = 0644, .bindMounted = true, .text = text, .sameFile = true};
    QTest::newRow("bind-mounted file, as root")
        << OutputCase{.oldFileMode = 0600, .bindMounted = true, .text = text, .sameFile = true};
    QTest::newRow("bind-mounted file, refused text") << OutputCase{.asUnprivilegedUser = true,
                                                                   .oldFileMode = 0644,
                                                                   .bindMounted = true,
                                                                   .text = u"a"_s,
                                                                   .exitCode = 1,
                                                                   .message = u"1文字では実行できません！"_s,
                                                                   .newContents = false,
                                                                   .sameFile = true};
    QTest::newRow("bind-mounted file, file size limit") << OutputCase{.asUnprivilegedUser = true,
                                                                      .oldFileMode = 0644,
                                                                      .bindMounted = true,
                                                                      .disk = Disk::FileSizeLimit,
                                                                      .text = longText,
                                                                      .exitCode = 2,
                                                                      .message = u"File too large"_s,
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
    std::optional<LoopExt2> ext2;
    if (state.disk == Disk::FullExt2) {
        ext2.emplace(root.filePath(u"ext2.img"_s), folder);
        if (!ext2->isMounted())
            QSKIP("a disk without reservation needs an ext2 image on a loop device, which needs root and "
                  "mke2fs");
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
    if (state.bindMounted) {
        QFile bound(otherLink);
        QVERIFY(bound.open(QIODevice::WriteOnly));
        bound.write(oldContents);
        bound.close();
        QCOMPARE(::chmod(QFile::encodeName(otherLink).constData(), state.oldFileMode), 0);
    }
    if (state.disk == Disk::FullExt2)
        ext2->fill();
    if (state.asUnprivilegedUser)
        UnprivilegedUser::handOver(root.path());
    if (state.bindMounted && ::mount(QFile::encodeName(otherLink).constData(),
                                     QFile::encodeName(path).constData(), nullptr, MS_BIND, nullptr) != 0)
        QSKIP("a bind mount needs root");
    const auto unbind = qScopeGuard([&] {
        if (state.bindMounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    });
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
    if (state.partWritten) {
        // What the message says is what the file holds: so many bytes of the new contents.
        const QRegularExpressionMatch told =
            QRegularExpression(u"its first (\\d+) of (\\d+) bytes are the new contents"_s).match(message);
        QVERIFY2(told.hasMatch(), qPrintable(message));
        const QByteArray markup = markupOf(expectedText).toUtf8();
        const qsizetype written = told.captured(1).toLongLong();
        QCOMPARE(told.captured(2).toLongLong(), markup.size());
        QVERIFY(written > 0 && written < markup.size());
        QCOMPARE(contents(path).left(written), markup.left(written));
    } else if (state.newContents) {
        QCOMPARE(contents(path), markupOf(expectedText).toUtf8());
    } else if (state.oldFileMode != 0) {
        QCOMPARE(contents(path), oldContents);
    } else
        QVERIFY(!QFile::exists(path));
    // No temporary file is left behind, whatever happened.
    if (state.oldFileMode != 0 || state.newContents)
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 entriesBefore.isEmpty() ? QStringList{u"f.htm"_s} : entriesBefore);
    if (state.bindMounted)
        QCOMPARE(contents(otherLink), contents(path));
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

void TestCliFailures::outputIsAnOpenStream_data()
{
    // "FILE" stands for the file that the stream was opened on.
    QTest::addColumn<QString>("target");
    // The descriptor that stands on the file: 1 or 2.
    QTest::addColumn<int>("stream");
    QTest::addColumn<bool>("asUnprivilegedUser");

    QTest::newRow("/dev/stdout") << u"/dev/stdout"_s << 1 << true;
    QTest::newRow("/dev/fd/1") << u"/dev/fd/1"_s << 1 << true;
    QTest::newRow("/proc/self/fd/1") << u"/proc/self/fd/1"_s << 1 << true;
    QTest::newRow("the file by its path") << u"FILE"_s << 1 << true;
    QTest::newRow("/dev/stderr") << u"/dev/stderr"_s << 2 << true;
    QTest::newRow("the file of standard error by its path") << u"FILE"_s << 2 << true;
    QTest::newRow("/dev/stdout, as root") << u"/dev/stdout"_s << 1 << false;
}

void TestCliFailures::outputIsAnOpenStream()
{
    QFETCH(QString, target);
    QFETCH(int, stream);
    QFETCH(bool, asUnprivilegedUser);

    // As { echo header; huespan-cli -o /dev/stdout ab; } > out.txt: what the shell's ">" opened
    // is written at its place, after the header, and stays the same file.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"out.txt"_s);
    const QByteArray header = "header\n";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(header);
    }
    if (asUnprivilegedUser)
        UnprivilegedUser::handOver(folder.path());
    const struct stat before = statusOf(path);
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    QVERIFY(descriptor >= 0);
    const auto closeIt = qScopeGuard([descriptor] { ::close(descriptor); });
    QCOMPARE(::lseek(descriptor, 0, SEEK_END), off_t(header.size()));

    // The run's own standard output, when the file takes standard error, goes to a file too.
    QProcess process;
    process.setChildProcessModifier([descriptor, stream, asUnprivilegedUser] {
        ::dup2(descriptor, stream);
        if (asUnprivilegedUser)
            UnprivilegedUser::becomeInChild();
    });
    process.start(QStringLiteral(HUESPAN_CLI_PATH),
                  {u"-o"_s, target == u"FILE"_s ? path : target, u"--bold"_s, u"ab"_s});
    QVERIFY(process.waitForStarted());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(120'000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(stream == 1 ? process.readAllStandardError() : process.readAllStandardOutput(), QByteArray());

    GradientSettings settings;
    settings.bold = true;
    const QByteArray markup = RecordingHost::markupFor(settings, u"ab"_s).toUtf8();
    QCOMPARE(contents(path), header + markup);
    QCOMPARE(statusOf(path).st_ino, before.st_ino);
    // And whatever the shell writes next comes after it.
    QCOMPARE(::lseek(descriptor, 0, SEEK_CUR), off_t(header.size() + markup.size()));
}

void TestCliFailures::boundedInput_data()
{
    // Standard input: these bytes, or a device when they name one.
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    // How much of a file may be read at most; -1: all of it.
    QTest::addColumn<qint64>("mostRead");

    const QString tooLong = u"文字列を指定してください！\n"_s;
    const QByteArray longest(32767, 'a');
    const QByteArray euros = u"€"_s.repeated(32767).toUtf8();
    const auto replaced = [](int count) {
        return u"huespan-cli: standard input: %1 %2 not UTF-8 replaced by U+FFFD\n"_s.arg(count).arg(
            count == 1 ? u"byte that is"_s : u"bytes that are"_s);
    };
    QTest::newRow("/dev/zero") << QByteArray("/dev/zero") << 1 << tooLong << qint64(-1);
    QTest::newRow("10 MB of one letter") << QByteArray(10'000'000, 'a') << 1 << tooLong << qint64(1'000'000);
    QTest::newRow("10 MB of emoji") << u"😀"_s.repeated(2'500'000).toUtf8() << 1 << tooLong
                                    << qint64(1'000'000);
    QTest::newRow("10 MB not UTF-8") << QByteArray(10'000'000, '\xff') << 1 << tooLong << qint64(1'000'000);
    // The limit counts the text after its one final line break is dropped.
    QTest::newRow("longest text and CR LF") << longest + "\r\n" << 0 << QString() << qint64(-1);
    QTest::newRow("longest text and two line feeds") << longest + "\n\n" << 1 << tooLong << qint64(-1);
    QTest::newRow("longest text of three-byte characters") << euros + "\n" << 0 << QString() << qint64(-1);
    QTest::newRow("one three-byte character too many") << euros + "€" << 1 << tooLong << qint64(-1);
    QTest::newRow("two bytes not UTF-8") << QByteArray("a\xff\xfe"
                                                       "b\xef\xbf\xbd\n")
                                         << 0 << replaced(2) << qint64(-1);
    QTest::newRow("byte-order mark and one byte not UTF-8") << QByteArray("\xef\xbb\xbf"
                                                                          "ab\x80")
                                                            << 0 << replaced(1) << qint64(-1);
    QTest::newRow("cut sequence at the end") << QByteArray("ab\xe3\x81\n") << 0 << replaced(2) << qint64(-1);
    QTest::newRow("overlong slash and a surrogate")
        << QByteArray("ab\xc0\xaf\xed\xa0\x80") << 0 << replaced(5) << qint64(-1);
    QTest::newRow("too long and not UTF-8") << QByteArray(40'000, '\x80') << 1 << tooLong << qint64(-1);
}

void TestCliFailures::boundedInput()
{
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(qint64, mostRead);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const bool device = input.startsWith("/dev/");
    const QString path = device ? QString::fromLatin1(input) : folder.filePath(u"input"_s);
    if (!device) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(input), input.size());
    }
    // Opened here and shared with the run, so that its offset tells how far the run read.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(descriptor >= 0);
    const auto closeIt = qScopeGuard([descriptor] { ::close(descriptor); });
    CliLaunch launch;
    launch.inputPath = u"/dev/null"_s;
    launch.inChild = [descriptor] {
        ::dup2(descriptor, STDIN_FILENO);
        UnprivilegedUser::becomeInChild();
    };
    const CliOutcome outcome = CliProcess::run(launch);

    QVERIFY(outcome.finishedNormally);
    QCOMPARE(QString::fromUtf8(outcome.standardError), message);
    QCOMPARE(outcome.exitCode, exitCode);
    if (exitCode == 0) {
        QByteArrayView text = input;
        if (text.endsWith('\n'))
            text.chop(text.endsWith("\r\n") ? 2 : 1);
        QCOMPARE(outcome.standardOutput, markupOf(QString::fromUtf8(text)).toUtf8());
    } else {
        QCOMPARE(outcome.standardOutput, QByteArray());
    }
    if (mostRead >= 0)
        QVERIFY2(::lseek(descriptor, 0, SEEK_CUR) <= mostRead,
                 qPrintable(QString::number(::lseek(descriptor, 0, SEEK_CUR))));
}

QTEST_GUILESS_MAIN(TestCliFailures)
#include "TestCliFailures.moc"
