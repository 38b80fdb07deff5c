#include "PreviewFileWriter.h"

#include "CodePageEncoder.h"
#include "Module1.h"
#include "WholeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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
    return PreviewFileWriter(module1().AppFolder,
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
    outcome.path = m_programFolder + fileName();
    if (writeFile(outcome.path, bytes)) {
        outcome.written = true;
        return outcome;
    }
    if (m_fallbackFolder.isEmpty())
        return outcome;

    QDir().mkpath(m_fallbackFolder);
    outcome.path = m_fallbackFolder + fileName();
    outcome.written = writeFile(outcome.path, bytes);
    return outcome;
}

bool PreviewFileWriter::writeFile(const QString& path, const QByteArray& bytes)
{
    // The page is the program's own: a symbolic link or anything else that is not a regular file
    // in its place is removed, never written through.
    const QFileInfo existing(path);
    if (existing.isSymLink() || (existing.exists() && !existing.isFile())) {
        if (!QFile::remove(path))
            return false;
    }

    // A folder that takes no new file may still hold an old page that can be written over.
    QString reason;
    const WholeFileWriter::Outcome outcome = WholeFileWriter::write(path, bytes, reason);
    if (outcome != WholeFileWriter::Outcome::Untouched)
        return outcome == WholeFileWriter::Outcome::Written;
    // A write-protected old page in a folder that takes new files is replaced all the same.
    return QFile::exists(path) && QFile::remove(path) &&
           WholeFileWriter::replace(path, bytes, reason) == WholeFileWriter::Outcome::Written;
}

} // namespace huespan
