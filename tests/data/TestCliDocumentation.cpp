#include "CliHelpOptions.h"
#include "StartedProcess.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// In roff a minus sign is written \-, so the page names --form as \-\-form.
QString roffName(QString option)
{
    return option.replace(u"-"_s, u"\\-"_s);
}

} // namespace

class TestCliDocumentation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void optionDocumented_data();
    void optionDocumented();
    void pageFormatsCleanly_data();
    void pageFormatsCleanly();
};

void TestCliDocumentation::initTestCase()
{
    // A help text the parsing below no longer understands would pass every row silently.
    const QStringList options = cliHelpOptions();
    QVERIFY2(options.size() >= 10, qPrintable(options.join(u' ')));
    QVERIFY(options.contains(u"--form"_s));
    QVERIFY(options.contains(u"-o"_s));
}

void TestCliDocumentation::optionDocumented_data()
{
    QTest::addColumn<QString>("option");
    for (const QString& option : cliHelpOptions())
        QTest::newRow(qPrintable(option)) << option;
}

// Each option of the program is in the README and in the manual page.
void TestCliDocumentation::optionDocumented()
{
    QFETCH(QString, option);

    const QString readme = fileText(QStringLiteral(HUESPAN_SOURCE_DIR "/README.md"));
    const QRegularExpression inReadme(u"`"_s + QRegularExpression::escape(option) + u"[ `=]"_s);
    QVERIFY2(readme.contains(inReadme), qPrintable(option + u" is not in README.md"_s));

    const QString page = fileText(QStringLiteral(HUESPAN_MAN_DIR "/huespan-cli.1"));
    QVERIFY2(!page.isEmpty(), "the manual page huespan-cli.1 was not made");
    const QRegularExpression inPage(u"\\\\fB"_s + QRegularExpression::escape(roffName(option)) + u"\\\\fR"_s);
    QVERIFY2(page.contains(inPage), qPrintable(option + u" is not in huespan-cli.1"_s));
}

void TestCliDocumentation::pageFormatsCleanly_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("device");

    for (const QString& page : {u"huespan.1"_s, u"huespan-cli.1"_s}) {
        QTest::addRow("%s typeset", qPrintable(page)) << page << QStringList{};
        QTest::addRow("%s on a terminal", qPrintable(page)) << page << QStringList{u"-Tutf8"_s};
    }
}

// groff has nothing to say about the page, and man shows it with its sections.
void TestCliDocumentation::pageFormatsCleanly()
{
    QFETCH(QString, page);
    QFETCH(QStringList, device);

    const QString path = QStringLiteral(HUESPAN_MAN_DIR "/") + page;
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const ProcessOutcome groff = StartedProcess::run(
        u"groff"_s, QStringList{u"-man"_s, u"-ww"_s, u"-z"_s} + device + QStringList{path},
        StartedProcess::withoutDisplay(), 60'000);
    QVERIFY(groff.finishedNormally);
    QCOMPARE(groff.exitCode, 0);
    QCOMPARE(groff.standardError, QByteArray());

    QProcessEnvironment environment = StartedProcess::withoutDisplay();
    environment.insert(u"MANWIDTH"_s, u"80"_s);
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    const ProcessOutcome man = StartedProcess::run(u"man"_s, {u"-l"_s, path}, environment, 60'000);
    QVERIFY(man.finishedNormally);
    QCOMPARE(man.exitCode, 0);
    const QString shown = QString::fromUtf8(man.standardOutput);
    for (const QString& section : {u"NAME"_s, u"SYNOPSIS"_s, u"OPTIONS"_s, u"EXIT STATUS"_s, u"SEE ALSO"_s})
        QVERIFY2(shown.contains(u'\n' + section + u'\n'), qPrintable(section));
    // Japanese captions reach a terminal as they are written.
    QVERIFY2(shown.contains(page == u"huespan.1"_s ? u"生成！"_s : u"文字列を指定してください！"_s),
             qPrintable(shown));
}

QTEST_GUILESS_MAIN(TestCliDocumentation)
#include "TestCliDocumentation.moc"
