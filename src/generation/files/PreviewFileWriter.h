#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace huespan {

// Writes the preview page "Temp.htm": into the program's folder when it can, else into the
// user's cache folder, since an installed program's folder is usually read-only (and one that is
// not, as for root, is still no place for a page). The page is written whole to a new temporary
// file, made in the folder without following any link, and renamed over the old page, so the
// browser never finds half a page and a link put in the page's place, even while the page is
// written, only ever gets replaced: the page's own path is never opened for writing. A folder that
// takes no new file is passed over for the next. Knows no window, so that every way of failing can
// be tried without one.
class PreviewFileWriter
{
public:
    struct Outcome
    {
        // Whether a file now holds exactly the page.
        bool written = false;
        // The file that holds the page; after a failure, the last file that could not be written.
        QString path;
    };

    // programFolder and fallbackFolder end with a separator or are empty; an empty folder means
    // there is none. encodingName is an iconv name such as "UTF-8" or "CP932".
    PreviewFileWriter(QString programFolder, QString fallbackFolder, QByteArray encodingName);

    // The writer that the program uses: its own folder, Huespan's cache folder, and the code page
    // of the user's locale.
    static PreviewFileWriter forThisSystem();

    static QString fileName();

    // The folder the page may go to for a program running from programFolder: none when that is
    // installedFolder, the folder the package puts the program in.
    static QString pageFolder(const QString& programFolder, const QString& installedFolder);

    // The bytes of the page: the page text in the writer's code page, with a byte-order mark only
    // in an encoding of units wider than a byte (which no locale uses).
    QByteArray pageBytes(QStringView pageText) const;

    Outcome write(QStringView pageText) const;

private:
    // Gives the folder's page the bytes; false when the folder takes no new file or the writing
    // fails, with no temporary file left behind.
    static bool writeInto(const QString& folder, const QByteArray& bytes);

    QString m_programFolder;
    QString m_fallbackFolder;
    QByteArray m_encodingName;
};

} // namespace huespan
