#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace huespan {

// Writes the preview page "Temp.htm": into the program's folder when it can, else into the
// user's cache folder, since an installed program's folder is usually read-only. The page is
// written whole to a temporary file and renamed over the old one, so the browser never finds half
// a page; only a folder that takes no new file has its old page written over in place. Knows no
// window, so that every way of failing can be tried without one.
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

    // programFolder and fallbackFolder end with a separator or are empty; an empty fallback
    // folder means there is none. encodingName is an iconv name such as "UTF-8" or "CP932".
    PreviewFileWriter(QString programFolder, QString fallbackFolder, QByteArray encodingName);

    // The writer that the program uses: its own folder, Huespan's cache folder, and the code page
    // of the user's locale.
    static PreviewFileWriter forThisSystem();

    static QString fileName();

    // The bytes of the page: the page text in the writer's code page, with a byte-order mark only
    // in an encoding of units wider than a byte (which no locale uses).
    QByteArray pageBytes(QStringView pageText) const;

    Outcome write(QStringView pageText) const;

private:
    static bool writeFile(const QString& path, const QByteArray& bytes);

    QString m_programFolder;
    QString m_fallbackFolder;
    QByteArray m_encodingName;
};

} // namespace huespan
