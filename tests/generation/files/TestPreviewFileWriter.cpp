#include "PreviewFileWriter.h"
#include "PreviewPage.h"
#include "SmallDisk.h"
#include "UnprivilegedUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Folder kinds a test sets up for the program's folder and for the cache folder.
enum class Folder
{
    Writable,
    Missing,     // does not exist; the writer must not need to create the program's folder
    RegularFile, // a file stands where the folder should be: nobody, root included, writes into it
    Empty,       // no folder given at all
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

ino_t inodeOf(const QString& path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_ino;
}

void setMode(const QString& path, mode_t mode)
{
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// A program folder, with its page's path, and a cache folder beside it, in a fresh temporary folder.
struct Folders
{
    Folders() { QDir().mkpath(program); }

    QTemporaryDir root;
    QString program = root.filePath(u"program"_s);
    QString cache = root.filePath(u"cache"_s);
    QString page = program + u"/Temp.htm"_s;
};

// A page long enough to overflow the small disks below.
const QString kLongPage = u"<HTML>"_s + QString(40000, u'x') + u"</HTML>"_s;

QString prepare(const QTemporaryDir& root, const QString& name, Folder kind)
{
    const QString path = root.filePath(name);
    switch (kind) {
    case Folder::Writable:
        QDir().mkpath(path);
        return path + u'/';
    case Folder::Missing:
        return path + u'/';
    case Folder::RegularFile:
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeBytes(path, "not a folder");
        return path + u"/sub/";
    case Folder::Empty:
        return {};
    }
    return {};
}

} // namespace

class TestPreviewFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void pageBytesInTheCodePage_data();
    void pageBytesInTheCodePage();
    void wholePageBytes_data();
    void wholePageBytes();
    void fileHoldsExactlyTheNewPage_data();
    void fileHoldsExactlyTheNewPage();
    void unwritableProgramFolderFallsBackToTheCache_data();
    void unwritableProgramFolderFallsBackToTheCache();
    void nonRegularPageIsReplaced_data();
    void nonRegularPageIsReplaced();
    void readOnlyProgramFolder_data();
    void readOnlyProgramFolder();
    void fullDiskKeepsTheOldPage();
    void fileSizeLimitLeavesNoHalfPage();
    void installedProgramFolderIsPassedOver_data();
    void installedProgramFolderIsPassedOver();
    void linkSwappedInDuringWritesIsReplaced();
};

void TestPreviewFileWriter::pageBytesInTheCodePage_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("UTF-8 katakana, no byte-order mark")
        << QByteArray("UTF-8") << QStringLiteral(u"Huespanプレビュー")
        << QByteArray("Huespan\xE3\x83\x97\xE3\x83\xAC\xE3\x83\x93\xE3\x83\xA5\xE3\x83\xBC");
    QTest::newRow("CP932 katakana") << QByteArray("CP932") << QStringLiteral(u"Huespanプレビュー")
                                    << QByteArray("Huespan\x83\x76\x83\x8C\x83\x72\x83\x85\x81\x5B");
    QTest::newRow("CP932 kanji") << QByteArray("CP932") << QStringLiteral(u"結果色")
                                 << QByteArray("\x8C\x8B\x89\xCA\x90\x46");
    QTest::newRow("CP932 writes ? for what it lacks")
        << QByteArray("CP932") << QStringLiteral(u"a€b😀c") << QByteArray("a?b?c");
    QTest::newRow("line breaks kept as they are")
        << QByteArray("CP932") << QStringLiteral(u"<B>\r\n</B>\r\n") << QByteArray("<B>\r\n</B>\r\n");
    QTest::newRow("UTF-8 outside the basic plane")
        << QByteArray("UTF-8") << QStringLiteral(u"😀") << QByteArray("\xF0\x9F\x98\x80");
}

void TestPreviewFileWriter::pageBytesInTheCodePage()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);

    const PreviewFileWriter writer(QString(), QString(), encoding);
    QCOMPARE(writer.pageBytes(text), expected);
}

void TestPreviewFileWriter::wholePageBytes_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("UTF-8") << QByteArray("UTF-8")
                           << QByteArray(
                                  "<HTML>\r\n<HEAD><TITLE>Huespan\xE3\x83\x97\xE3\x83\xAC\xE3\x83\x93\xE3\x83"
                                  "\xA5\xE3\x83\xBC</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#FF8000\">\r\n"
                                  "<FONT COLOR=\"#FF0000\">\xE8\x89\xB2</FONT>\r\n"
                                  "<FONT COLOR=\"#0000FF\">A</FONT>\r\n</BODY>\r\n</HTML>");
    QTest::newRow("CP932") << QByteArray("CP932")
                           << QByteArray(
                                  "<HTML>\r\n<HEAD><TITLE>Huespan\x83\x76\x83\x8C\x83\x72\x83\x85\x81\x5B"
                                  "</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#FF8000\">\r\n"
                                  "<FONT COLOR=\"#FF0000\">\x90\x46</FONT>\r\n"
                                  "<FONT COLOR=\"#0000FF\">A</FONT>\r\n</BODY>\r\n</HTML>");
}

void TestPreviewFileWriter::wholePageBytes()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString markup =
        QStringLiteral(u"<FONT COLOR=\"#FF0000\">色</FONT>\r\n<FONT COLOR=\"#0000FF\">A</FONT>");
    const QString page =
        PreviewPage::pageText({QStringLiteral(u"FF"), QStringLiteral(u"80"), QStringLiteral(u"00")}, markup);

    const PreviewFileWriter writer(root.path() + u'/', QString(), encoding);
    const auto outcome = writer.write(page);
    QVERIFY(outcome.written);
    QCOMPARE(outcome.path, root.filePath(u"Temp.htm"_s));
    QCOMPARE(fileBytes(outcome.path), expected);
}

void TestPreviewFileWriter::fileHoldsExactlyTheNewPage_data()
{
    QTest::addColumn<QByteArray>("oldPage");
    QTest::addColumn<bool>("oldPageReadOnly");

    QTest::newRow("no old page") << QByteArray() << false;
    QTest::newRow("old page much longer") << QByteArray(20000, 'X') << false;
    QTest::newRow("old page one byte longer") << QByteArray("<HTML>\r\n</HTML>!!") << false;
    QTest::newRow("old page shorter") << QByteArray("<") << false;
    QTest::newRow("old page write-protected and longer") << QByteArray(5000, 'Y') << true;
}

void TestPreviewFileWriter::fileHoldsExactlyTheNewPage()
{
    QFETCH(QByteArray, oldPage);
    QFETCH(bool, oldPageReadOnly);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString path = root.filePath(u"Temp.htm"_s);
    if (!oldPage.isEmpty()) {
        writeBytes(path, oldPage);
        if (oldPageReadOnly)
            QFile::setPermissions(path,
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    // Root writes into a write-protected file; the write protection binds a normal user only.
    UnprivilegedUser::handOver(root.path());

    const QString page = QStringLiteral(u"<HTML>\r\nnew</HTML>");
    const auto outcome = [&] {
        const UnprivilegedUser user;
        return PreviewFileWriter(root.path(), QString(), "UTF-8").write(page);
    }();
    QVERIFY(outcome.written);
    QCOMPARE(outcome.path, path);
    QCOMPARE(fileBytes(path), QByteArray("<HTML>\r\nnew</HTML>"));
}

void TestPreviewFileWriter::unwritableProgramFolderFallsBackToTheCache_data()
{
    QTest::addColumn<Folder>("program");
    QTest::addColumn<Folder>("cache");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("inCache");

    QTest::newRow("program folder writable") << Folder::Writable << Folder::Missing << true << false;
    QTest::newRow("program folder is a file, cache created")
        << Folder::RegularFile << Folder::Missing << true << true;
    QTest::newRow("program folder missing, cache exists")
        << Folder::Missing << Folder::Writable << true << true;
    QTest::newRow("neither writable") << Folder::RegularFile << Folder::RegularFile << false << true;
    QTest::newRow("program folder unwritable, no cache")
        << Folder::RegularFile << Folder::Empty << false << false;
}

void TestPreviewFileWriter::unwritableProgramFolderFallsBackToTheCache()
{
    QFETCH(Folder, program);
    QFETCH(Folder, cache);
    QFETCH(bool, written);
    QFETCH(bool, inCache);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString programFolder = prepare(root, u"program"_s, program);
    const QString cacheFolder = prepare(root, u"cache/Huespan"_s, cache);
    const QString expectedPath = (inCache ? cacheFolder : programFolder) + u"Temp.htm"_s;

    const auto outcome = PreviewFileWriter(programFolder, cacheFolder, "UTF-8").write(u"<HTML>page</HTML>");

    QCOMPARE(outcome.written, written);
    QCOMPARE(outcome.path, expectedPath);
    if (written) {
        QCOMPARE(fileBytes(expectedPath), QByteArray("<HTML>page</HTML>"));
        // The page is written once, where it is opened from.
        const QString other = (inCache ? programFolder : cacheFolder) + u"Temp.htm"_s;
        QVERIFY(!QFile::exists(other));
    }
}

void TestPreviewFileWriter::nonRegularPageIsReplaced_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("link to another file") << u"link"_s;
    QTest::newRow("link to nothing") << u"dangling link"_s;
    QTest::newRow("link to a folder") << u"folder link"_s;
    QTest::newRow("named pipe") << u"pipe"_s;
}

void TestPreviewFileWriter::nonRegularPageIsReplaced()
{
    QFETCH(QString, kind);

    const Folders folders;
    QVERIFY(folders.root.isValid());
    const QString& program = folders.program;
    const QString& page = folders.page;
    const QString elsewhere = folders.root.filePath(u"elsewhere"_s);
    QVERIFY(QDir().mkpath(elsewhere));
    const QString victim = elsewhere + u"/victim.txt"_s;
    writeBytes(victim, "someone else's file");
    if (kind == u"link"_s)
        QVERIFY(QFile::link(victim, page));
    else if (kind == u"dangling link"_s)
        QVERIFY(QFile::link(elsewhere + u"/created.htm"_s, page));
    else if (kind == u"folder link"_s)
        QVERIFY(QFile::link(elsewhere, page));
    else
        QCOMPARE(::mkfifo(QFile::encodeName(page).constData(), 0644), 0);

    const auto outcome = PreviewFileWriter(program, QString(), "UTF-8").write(u"<HTML>new</HTML>");

    QVERIFY(outcome.written);
    QCOMPARE(outcome.path, page);
    const QFileInfo written(page);
    QVERIFY(!written.isSymLink());
    QVERIFY(written.isFile());
    QCOMPARE(fileBytes(page), QByteArray("<HTML>new</HTML>"));
    QCOMPARE(fileBytes(victim), QByteArray("someone else's file"));
    QCOMPARE(entries(elsewhere), QStringList{u"victim.txt"_s});
    QCOMPARE(entries(program), QStringList{u"Temp.htm"_s});
}

void TestPreviewFileWriter::readOnlyProgramFolder_data()
{
    QTest::addColumn<QByteArray>("oldPage");
    QTest::addColumn<bool>("oldPageWritable");
    QTest::addColumn<bool>("inCache");

    // The page's own path is never opened for writing: a folder that takes no new file is passed over.
    QTest::newRow("writable old page, cache instead") << QByteArray(5000, 'X') << true << true;
    QTest::newRow("write-protected old page, cache instead") << QByteArray("OLD") << false << true;
    QTest::newRow("no old page, cache instead") << QByteArray() << false << true;
}

void TestPreviewFileWriter::readOnlyProgramFolder()
{
    QFETCH(QByteArray, oldPage);
    QFETCH(bool, oldPageWritable);
    QFETCH(bool, inCache);

    const Folders folders;
    QVERIFY(folders.root.isValid());
    const QString& program = folders.program;
    const QString& cache = folders.cache;
    const QString& page = folders.page;
    if (!oldPage.isEmpty()) {
        writeBytes(page, oldPage);
        setMode(page, oldPageWritable ? 0644 : 0444);
    }
    const ino_t oldInode = inodeOf(page);
    UnprivilegedUser::handOver(folders.root.path());
    setMode(program, 0555);
    const auto reopen = qScopeGuard([&program] { ::chmod(QFile::encodeName(program).constData(), 0755); });

    const auto outcome = [&] {
        const UnprivilegedUser user;
        return PreviewFileWriter(program, cache, "UTF-8").write(u"<HTML>new</HTML>");
    }();

    QVERIFY(outcome.written);
    QCOMPARE(outcome.path, (inCache ? cache : program) + u"/Temp.htm"_s);
    QCOMPARE(fileBytes(outcome.path), QByteArray("<HTML>new</HTML>"));
    if (inCache) {
        QCOMPARE(entries(program), oldPage.isEmpty() ? QStringList() : QStringList{u"Temp.htm"_s});
        if (!oldPage.isEmpty())
            QCOMPARE(fileBytes(page), oldPage);
    } else {
        QCOMPARE(inodeOf(page), oldInode);
        QVERIFY(!QFile::exists(cache));
    }
}

void TestPreviewFileWriter::fullDiskKeepsTheOldPage()
{
    const Folders folders;
    QVERIFY(folders.root.isValid());
    const QString& program = folders.program;
    const QString& cache = folders.cache;
    const SmallDisk disk(program, 16);
    if (!disk.isMounted())
        QSKIP("a full disk needs a small tmpfs, and mounting one needs root");
    writeBytes(folders.page, "OLD PAGE");

    const auto outcome = PreviewFileWriter(program, cache, "UTF-8").write(kLongPage);

    // The browser never finds half a page: the old one stays whole where the new one did not fit.
    QCOMPARE(fileBytes(folders.page), QByteArray("OLD PAGE"));
    QCOMPARE(entries(program), QStringList{u"Temp.htm"_s});
    QVERIFY(outcome.written);
    QCOMPARE(outcome.path, cache + u"/Temp.htm"_s);
    QCOMPARE(fileBytes(outcome.path), kLongPage.toUtf8());
}

void TestPreviewFileWriter::fileSizeLimitLeavesNoHalfPage()
{
    const Folders folders;
    QVERIFY(folders.root.isValid());
    const QString& program = folders.program;
    const QString& cache = folders.cache;
    writeBytes(folders.page, "OLD PAGE");

    // Beyond the limit a write fails with EFBIG, once the signal that would end the test is ignored.
    rlimit original{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &original), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, original.rlim_max};
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto outcome = PreviewFileWriter(program, cache, "UTF-8").write(kLongPage);
    ::setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!outcome.written);
    QCOMPARE(fileBytes(folders.page), QByteArray("OLD PAGE"));
    QCOMPARE(entries(program), QStringList{u"Temp.htm"_s});
    QVERIFY(!QFile::exists(cache + u"/Temp.htm"_s));
    QCOMPARE(entries(cache), QStringList());
}

void TestPreviewFileWriter::installedProgramFolderIsPassedOver_data()
{
    QTest::addColumn<bool>("asRoot");
    // The program's folder as the program sees it, relative to the scratch folder; "installed" is
    // the folder the package installs the program in.
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("inCache");

    for (const bool asRoot : {false, true}) {
        const char* who = asRoot ? "root" : "normal user";
        QTest::addRow("installed folder, %s", who) << asRoot << u"installed/"_s << true;
        QTest::addRow("installed folder without separator, %s", who) << asRoot << u"installed"_s << true;
        QTest::addRow("installed folder through a link, %s", who)
            << asRoot << u"link-to-installed/"_s << true;
        QTest::addRow("installed folder by a detour, %s", who)
            << asRoot << u"program/../installed/"_s << true;
        QTest::addRow("a build folder, %s", who) << asRoot << u"program/"_s << false;
        QTest::addRow("a folder inside the installed one, %s", who) << asRoot << u"installed/sub/"_s << false;
    }
}

void TestPreviewFileWriter::installedProgramFolderIsPassedOver()
{
    QFETCH(bool, asRoot);
    QFETCH(QString, programFolder);
    QFETCH(bool, inCache);

    if (asRoot && !UnprivilegedUser::isRoot())
        QSKIP("root's case");
    const Folders folders;
    QVERIFY(folders.root.isValid());
    const QString installed = folders.root.filePath(u"installed"_s);
    QVERIFY(QDir().mkpath(installed + u"/sub"_s));
    QVERIFY(QFile::link(installed, folders.root.filePath(u"link-to-installed"_s)));
    // Writable by whoever runs the program: the folder's rights are not what keeps the page out.
    UnprivilegedUser::handOver(folders.root.path());
    QCOMPARE(::chmod(QFile::encodeName(installed).constData(), 0777), 0);

    const QString running = folders.root.filePath(programFolder);
    const auto outcome = [&] {
        std::optional<UnprivilegedUser> user;
        if (!asRoot)
            user.emplace();
        return PreviewFileWriter(PreviewFileWriter::pageFolder(running, installed + u'/'), folders.cache,
                                 "UTF-8")
            .write(u"<HTML>page</HTML>");
    }();

    QVERIFY(outcome.written);
    QCOMPARE(outcome.path, inCache ? folders.cache + u"/Temp.htm"_s : QDir(running).filePath(u"Temp.htm"_s));
    QCOMPARE(fileBytes(outcome.path), QByteArray("<HTML>page</HTML>"));
    QCOMPARE(entries(installed), QStringList{u"sub"_s});
}

// A second user who may write the program's folder keeps putting a link to the victim's file in
// the page's place while the victim previews, again and again: no page ever lands outside.
void TestPreviewFileWriter::linkSwappedInDuringWritesIsReplaced()
{
    const Folders folders;
    QVERIFY(folders.root.isValid());
    const QString elsewhere = folders.root.filePath(u"elsewhere"_s);
    QVERIFY(QDir().mkpath(elsewhere));
    const QString victim = elsewhere + u"/victim.txt"_s;
    writeBytes(victim, "the victim's own file");
    QCOMPARE(::chmod(QFile::encodeName(folders.root.path()).constData(), 0755), 0);
    UnprivilegedUser::handOver(elsewhere);
    // The folder is everyone's, as a shared program folder would be.
    QCOMPARE(::chmod(QFile::encodeName(folders.program).constData(), 0777), 0);

    const QByteArray link = QFile::encodeName(folders.page);
    const QByteArray spare = QFile::encodeName(folders.program + u"/swap"_s);
    const QByteArray target = QFile::encodeName(victim);
    std::atomic<bool> stop = false;
    std::atomic<int> swaps = 0;
    std::thread swapper([&] {
        while (!stop) {
            ::unlink(spare.constData());
            if (::symlink(target.constData(), spare.constData()) == 0 &&
                ::rename(spare.constData(), link.constData()) == 0)
                ++swaps;
            // Also the link put back the other way: the page removed, then the link made.
            ::unlink(link.constData());
            if (::symlink(target.constData(), link.constData()) == 0)
                ++swaps;
        }
    });

    int written = 0;
    {
        const UnprivilegedUser user;
        const PreviewFileWriter writer(folders.program, QString(), "UTF-8");
        for (int attempt = 0; attempt < 2000; ++attempt)
            written += writer.write(u"<HTML>page</HTML>").written ? 1 : 0;
    }
    stop = true;
    swapper.join();

    QCOMPARE(fileBytes(victim), QByteArray("the victim's own file"));
    QCOMPARE(entries(elsewhere), QStringList{u"victim.txt"_s});
    QVERIFY(swaps > 0);
    QCOMPARE(written, 2000);
    // Nothing left behind but the page or the link and the swapper's spare name.
    for (const QString& entry : entries(folders.program))
        QVERIFY2(entry == u"Temp.htm"_s || entry == u"swap"_s, qPrintable(entry));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestPreviewFileWriter)
#include "TestPreviewFileWriter.moc"
