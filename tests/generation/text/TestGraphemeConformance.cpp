#include "TextUnits.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// Every line of Unicode's own grapheme cluster conformance file, cut by the core as a text of its
// own: the units must be the file's clusters. Debian's unicode-data package ships the file (the
// set-up installs it); without it the test fails rather than passing on nothing.
class TestGraphemeConformance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLine();

private:
    struct Line
    {
        int number = 0;
        QString text;
        // Where the file puts a break (÷), in UTF-16 code units; 0 and the end included.
        QList<qsizetype> breaks;
        QString source;
    };
    static std::optional<Line> parse(int number, const QString& line);

    QList<Line> m_lines;
    QString m_fileVersion;
};

const QString kConformanceFile = u"/usr/share/unicode/auxiliary/GraphemeBreakTest.txt"_s;

std::optional<TestGraphemeConformance::Line> TestGraphemeConformance::parse(int number, const QString& line)
{
    const QString data = line.section(u'#', 0, 0).trimmed();
    if (data.isEmpty())
        return std::nullopt;
    Line parsed{number, {}, {}, data};
    for (const QString& token : data.split(u' ', Qt::SkipEmptyParts)) {
        if (token == u"÷") {
            parsed.breaks.append(parsed.text.size());
        } else if (token != u"×") {
            bool ok = false;
            const char32_t codePoint = token.toUInt(&ok, 16);
            if (!ok)
                return std::nullopt;
            parsed.text += QString::fromUcs4(&codePoint, 1);
        }
    }
    return parsed;
}

void TestGraphemeConformance::initTestCase()
{
    QFile file(kConformanceFile);
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(kConformanceFile + u" cannot be read (Debian package unicode-data): "_s +
                        file.errorString()));
    int number = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        ++number;
        // The first line names the file and its Unicode version: "# GraphemeBreakTest-15.0.0.txt".
        const QRegularExpressionMatch version =
            QRegularExpression(u"^# GraphemeBreakTest-(\\d+\\.\\d+)\\.\\d+\\.txt"_s).match(line);
        if (version.hasMatch())
            m_fileVersion = version.captured(1);
        if (const std::optional<Line> parsed = parse(number, line))
            m_lines.append(*parsed);
    }
    // Unicode 15.0's file holds 602 test lines; a file cut short must not pass on what is left.
    QVERIFY2(m_lines.size() >= 600, qPrintable(QString::number(m_lines.size())));
}

void TestGraphemeConformance::everyLine()
{
    // The rules change between versions: the file must be the one for the version that cuts.
    QCOMPARE(m_fileVersion, TextUnits::unicodeVersion());

    // No line is excepted: utf8proc departs from no line of its version's file.
    QStringList disagreements;
    for (const Line& line : std::as_const(m_lines)) {
        for (bool keepLineBreaks : {false, true}) {
            const TextUnits units(line.text, TextUnit::Grapheme, false, keepLineBreaks);
            QList<qsizetype> breaks{0};
            QString joined;
            for (qsizetype index = 0; index < units.count(); ++index) {
                joined += units.at(index);
                breaks.append(joined.size());
            }
            if (breaks != line.breaks || joined != line.text)
                disagreements.append(u"line %1: %2"_s.arg(line.number).arg(line.source));
        }
    }
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.join(u'\n')));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestGraphemeConformance)
#include "TestGraphemeConformance.moc"
