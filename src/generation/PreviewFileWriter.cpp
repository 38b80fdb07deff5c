#include "PreviewFileWriter.h"

#include "CodePageEncoder.h"
#include "Module1.h"

#include <QDir>
#include <QFile>
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
    if (auto bytes = CodePageEncoder::encode(pageText, m_encodingName))
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
    // Truncating makes sure that no tail of an old, longer page survives behind the new one.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        // A write-protected old page in a writable folder can still be replaced.
        if (!QFile::exists(path) || !QFile::remove(path) ||
            !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
    }
    if (file.write(bytes) != bytes.size())
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace huespan
