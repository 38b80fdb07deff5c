#include "PreviewFileWriter.h"

#include "CodePageEncoder.h"
#include "Module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace huespan {

namespace {

QString withTrailingSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(QDir::separator()))
        return folder;
    return folder + u'/';
}

} // namespace

PreviewFileWriter::PreviewFileWriter(QString programFolder, QString fallbackFolder, QByteArray encodingName)
    : m_programFolder(withTrailingSeparator(programFolder))
    , m_fallbackFolder(withTrailingSeparator(fallbackFolder))
    , m_encodingName(std::move(encodingName))
{
}

PreviewFileWriter PreviewFileWriter::forThisSystem()
{
    return PreviewFileWriter(pageFolder(module1().AppFolder, QString::fromUtf8(HUESPAN_INSTALL_BINDIR)),
                             QStandardPaths::writableLocation(QStandardPaths::CacheLocation),
                             CodePageEncoder::systemCodePage());
}

QString PreviewFileWriter::fileName()
{
    return QStringLiteral(u"Temp.htm");
}

QByteArray PreviewFileWriter::pageBytes(QStringView pageText) const
{
    if (auto bytes =
            CodePageEncoder::encode(pageText, m_encodingName, CodePageEncoder::ByteOrderMark::ForWidePages))
        return *bytes;
    // A locale whose encoding iconv does not know is broken; UTF-8 is what any browser guesses.
    return pageText.toUtf8();
}

PreviewFileWriter::Outcome PreviewFileWriter::write(QStringView pageText) const
{
    const QByteArray bytes = pageBytes(pageText);

    Outcome outcome;
    if (!m_programFolder.isEmpty()) {
        outcome.path = m_programFolder + fileName();
        outcome.written = writeInto(m_programFolder, bytes);
        if (outcome.written)
            return outcome;
    }
    if (m_fallbackFolder.isEmpty())
        return outcome;

    QDir().mkpath(m_fallbackFolder);
    outcome.path = m_fallbackFolder + fileName();
    outcome.written = writeInto(m_fallbackFolder, bytes);
    return outcome;
}

QString PreviewFileWriter::pageFolder(const QString& programFolder, const QString& installedFolder)
{
    const QString installed = QFileInfo(installedFolder).canonicalFilePath();
    if (!installed.isEmpty() && QFileInfo(programFolder).canonicalFilePath() == installed)
        return {};
    return programFolder;
}

bool PreviewFileWriter::writeInto(const QString& folder, const QByteArray& bytes)
{
    const int folderDescriptor =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderDescriptor < 0)
        return false;
    const auto closeFolder = qScopeGuard([folderDescriptor] { ::close(folderDescriptor); });

    // A name of its own that nobody else can have put there: O_EXCL refuses whatever exists,
    // a link included, and O_NOFOLLOW says so twice.
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = QFile::encodeName(u'.' + fileName() + u'.');
        for (int letter = 0; letter < 10; ++letter)
            temporary += kLetters[QRandomGenerator::system()->bounded(int(sizeof kLetters) - 1)];
        descriptor = ::openat(folderDescriptor, temporary.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
        if (descriptor < 0 && errno != EEXIST)
            return false;
    }
    if (descriptor < 0)
        return false;

    bool written = true;
    for (qsizetype offset = 0; written && offset < bytes.size();) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + offset, static_cast<size_t>(bytes.size() - offset));
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        offset += count;
    }
    written = ::close(descriptor) == 0 && written;
    // The rename replaces whatever has the page's name, a link too, and never writes through it.
    written = written && ::renameat(folderDescriptor, temporary.constData(), folderDescriptor,
                                    QFile::encodeName(fileName()).constData()) == 0;
    if (!written)
        ::unlinkat(folderDescriptor, temporary.constData(), 0);
    return written;
}

} // namespace huespan
