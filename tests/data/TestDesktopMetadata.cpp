#include "StartedProcess.h"
#include "about/frmAbout.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

const QString kDesktopEntry = QStringLiteral(HUESPAN_SOURCE_DIR "/data/org.example.huespan.desktop");
const QString kMetainfo = QStringLiteral(HUESPAN_DATA_BUILD_DIR "/org.example.huespan.metainfo.xml");

// Each element of the metadata named tag: its text, or with attribute the attribute's value.
QStringList metainfoValues(const QString& tag, const QString& attribute = {})
{
    QFile file(kMetainfo);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList values;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != tag)
            continue;
        if (attribute.isEmpty())
            values.append(reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
        else
            values.append(reader.attributes().value(attribute).toString());
    }
    return values;
}

} // namespace

class TestDesktopMetadata : public QObject
{
    Q_OBJECT

private slots:
    void validatorAccepts_data();
    void validatorAccepts();
    void desktopEntryInJapanese();
    void screenshotsAreTheDocsPictures();
    void releaseIsThisVersion();
};

void TestDesktopMetadata::validatorAccepts_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("desktop-file-validate") << u"desktop-file-validate"_s << QStringList{kDesktopEntry};
    QTest::newRow("appstreamcli") << u"appstreamcli"_s
                                  << QStringList{u"validate"_s, u"--no-net"_s, u"--pedantic"_s, kMetainfo};
}

void TestDesktopMetadata::validatorAccepts()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);

    const ProcessOutcome outcome =
        StartedProcess::run(validator, arguments, StartedProcess::withoutDisplay(), 60'000);
    QVERIFY2(outcome.finished, qPrintable(validator + u" did not run"_s));
    QVERIFY2(outcome.exitCode == 0, QByteArray(outcome.standardOutput + outcome.standardError).constData());
    // desktop-file-validate is silent on a good file; its hints would show here.
    if (validator == u"desktop-file-validate"_s)
        QCOMPARE(outcome.standardOutput + outcome.standardError, QByteArray());
}

void TestDesktopMetadata::desktopEntryInJapanese()
{
    QFile file(kDesktopEntry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(file.readAll());
    for (const QString& key : {u"Name[ja]="_s, u"Comment[ja]="_s, u"Exec=huespan\n"_s, u"Icon=huespan\n"_s})
        QVERIFY2(entry.contains(key), qPrintable(key));
    // The name the version window and the message boxes carry.
    QVERIFY(entry.contains(u"Name[ja]=HuespanHTML生成\n"_s));
    // The icon the entry names is the one the package installs.
    QVERIFY(QFile::exists(QStringLiteral(HUESPAN_SOURCE_DIR "/data/icons/huespan.svg")));
}

// The software centre shows the pictures of docs/, published under the home page the version
// window shows.
void TestDesktopMetadata::screenshotsAreTheDocsPictures()
{
    const QStringList images = metainfoValues(u"image"_s);
    QVERIFY(!images.isEmpty());
    const QString homePage = frmAbout::homePageAddress();
    QCOMPARE(metainfoValues(u"url"_s), QStringList{homePage});
    for (const QString& image : images) {
        QVERIFY2(image.startsWith(homePage + u"docs/"_s), qPrintable(image));
        const QString picture = QStringLiteral(HUESPAN_SOURCE_DIR "/") + image.mid(homePage.size());
        QVERIFY2(QFile::exists(picture), qPrintable(picture));
    }
}

void TestDesktopMetadata::releaseIsThisVersion()
{
    const QStringList versions = metainfoValues(u"release"_s, u"version"_s);
    QVERIFY(!versions.isEmpty());
    // The newest release comes first.
    QCOMPARE(versions.constFirst(), QStringLiteral(HUESPAN_VERSION));
    QVERIFY(!metainfoValues(u"release"_s, u"date"_s).constFirst().isEmpty());
}

QTEST_MAIN(TestDesktopMetadata)
#include "TestDesktopMetadata.moc"
