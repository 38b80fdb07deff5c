#include "CliProcess.h"
#include "GradientSettings.h"
#include "RecordingHost.h"

#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

const QString kEmptyText = u"文字列を指定してください！"_s;
const QString kOneCharacter = u"1文字では実行できません！"_s;
const QString kTooFewCharacters = u"この文字数では実行できません！"_s;

// One more than a run can count.
const QString kTooLongText(32768, u'a');
const QString kLongestText(32767, u'a');

} // namespace

class TestCliUsage : public QObject
{
    Q_OBJECT

private slots:
    void usageError_data();
    void usageError();
    void refusal_data();
    void refusal();
    void longestText_data();
    void longestText();
    void helpAndVersion_data();
    void helpAndVersion();
};

void TestCliUsage::usageError_data()
{
    QTest::addColumn<QStringList>("arguments");
    // Texts the message must hold: the option, and the value where there is one.
    QTest::addColumn<QStringList>("named");

    const auto row = [](const char* name, const QStringList& arguments, const QStringList& named) {
        QTest::newRow(name) << arguments << named;
    };
    row("unknown long option", {u"--colour"_s, u"1,2,3"_s, u"abc"_s}, {u"--colour"_s});
    row("unknown short option", {u"-x"_s, u"abc"_s}, {u"-x"_s});
    row("value missing", {u"abc"_s, u"--first"_s}, {u"--first"_s});
    row("first out of range", {u"--first"_s, u"300,0,0"_s, u"abc"_s},
        {u"--first"_s, u"\"300\""_s, u"0-255"_s});
    row("second out of range", {u"--second"_s, u"0,0,256"_s, u"abc"_s}, {u"--second"_s, u"\"256\""_s});
    row("huge component", {u"--first"_s, u"99999999999999999999,0,0"_s, u"abc"_s},
        {u"--first"_s, u"99999999999999999999"_s});
    row("negative component", {u"--first"_s, u"-1,0,0"_s, u"abc"_s}, {u"--first"_s, u"-1"_s});
    row("signed component", {u"--second"_s, u"0,+5,0"_s, u"abc"_s}, {u"--second"_s, u"+5"_s});
    row("blank in component", {u"--second"_s, u"0, 5,0"_s, u"abc"_s}, {u"--second"_s, u" 5"_s});
    row("letters in decimal", {u"--first"_s, u"ff,0,0"_s, u"abc"_s}, {u"--first"_s, u"\"ff\""_s});
    row("empty component", {u"--first"_s, u"1,,3"_s, u"abc"_s}, {u"--first"_s, u"\"\""_s});
    row("two components", {u"--first"_s, u"1,2"_s, u"abc"_s}, {u"--first"_s, u"1,2"_s});
    row("four components", {u"--second"_s, u"1,2,3,4"_s, u"abc"_s}, {u"--second"_s, u"1,2,3,4"_s});
    row("empty colour", {u"--first"_s, u""_s, u"abc"_s}, {u"--first"_s});
    row("hexadecimal out of range", {u"--hex"_s, u"--first"_s, u"100,0,0"_s, u"abc"_s},
        {u"--first"_s, u"\"100\""_s, u"0-FF"_s});
    row("not hexadecimal", {u"--hex"_s, u"--second"_s, u"0,g,0"_s, u"abc"_s}, {u"--second"_s, u"\"g\""_s});
    row("hexadecimal prefix", {u"--hex"_s, u"--second"_s, u"0x1,0,0"_s, u"abc"_s}, {u"--second"_s, u"0x1"_s});
    row("page out of range", {u"--page"_s, u"256,0,0"_s, u"abc"_s}, {u"--page"_s, u"\"256\""_s});
    row("page hexadecimal out of range", {u"--hex"_s, u"--page"_s, u"0,1FF,0"_s, u"abc"_s},
        {u"--page"_s, u"1FF"_s});
    row("page two components", {u"--page"_s, u"1,2"_s, u"abc"_s}, {u"--page"_s, u"1,2"_s});
    row("size 0", {u"--size"_s, u"0"_s, u"abc"_s}, {u"--size"_s, u"\"0\""_s});
    row("size 8", {u"--size"_s, u"8"_s, u"abc"_s}, {u"--size"_s, u"\"8\""_s});
    row("size not a number", {u"--size"_s, u"big"_s, u"abc"_s}, {u"--size"_s, u"\"big\""_s});
    row("size empty", {u"--size"_s, u""_s, u"abc"_s}, {u"--size"_s});
    row("heading 0", {u"--heading"_s, u"0"_s, u"abc"_s}, {u"--heading"_s, u"\"0\""_s});
    row("heading 7", {u"--heading"_s, u"7"_s, u"abc"_s}, {u"--heading"_s, u"\"7\""_s});
    row("heading H7", {u"--heading"_s, u"H7"_s, u"abc"_s}, {u"--heading"_s, u"\"H7\""_s});
    row("heading HH1", {u"--heading"_s, u"HH1"_s, u"abc"_s}, {u"--heading"_s, u"\"HH1\""_s});
    row("heading H alone", {u"--heading"_s, u"H"_s, u"abc"_s}, {u"--heading"_s, u"\"H\""_s});
    row("size and heading", {u"--size"_s, u"3"_s, u"--heading"_s, u"2"_s, u"abc"_s},
        {u"--size"_s, u"\"3\""_s, u"--heading"_s, u"\"2\""_s});
    row("unknown form", {u"--form"_s, u"diagonal"_s, u"abc"_s}, {u"--form"_s, u"\"diagonal\""_s});
    row("unknown encoding", {u"--encoding"_s, u"NO-SUCH-CODE"_s, u"abc"_s},
        {u"--encoding"_s, u"\"NO-SUCH-CODE\""_s});
    row("encoding outside ASCII", {u"--encoding"_s, u"シフトJIS"_s, u"abc"_s},
        {u"--encoding"_s, u"シフトJIS"_s});
    row("encoding with //IGNORE", {u"--encoding"_s, u"ASCII//IGNORE"_s, u"aéb"_s}, {u"\"ASCII//IGNORE\""_s});
    row("CP932 with //IGNORE", {u"--encoding"_s, u"CP932//IGNORE"_s, u"aéb"_s}, {u"\"CP932//IGNORE\""_s});
    row("ISO-8859-1 with //IGNORE", {u"--encoding"_s, u"ISO-8859-1//IGNORE"_s, u"a😀b"_s},
        {u"\"ISO-8859-1//IGNORE\""_s});
    row("//IGNORE alone", {u"--encoding"_s, u"//IGNORE"_s, u"aéb"_s}, {u"\"//IGNORE\""_s});
    row("encoding with //TRANSLIT", {u"--encoding"_s, u"ASCII//TRANSLIT"_s, u"aéb"_s},
        {u"\"ASCII//TRANSLIT\""_s});
    row("encoding with a leading blank", {u"--encoding"_s, u" UTF-8"_s, u"abc"_s}, {u"\" UTF-8\""_s});
    row("encoding with a trailing blank", {u"--encoding"_s, u"UTF-8 "_s, u"abc"_s}, {u"\"UTF-8 \""_s});
    row("encoding with an inner blank", {u"--encoding"_s, u"UTF -8"_s, u"abc"_s}, {u"\"UTF -8\""_s});
    row("single dash before a long name", {u"-bold"_s, u"abc"_s}, {u"unknown option \"-bold\""_s});
    row("Qt's own option", {u"-qmljsdebugger=port:1234"_s, u"abc"_s}, {u"\"-qmljsdebugger=port:1234\""_s});
    row("single dash cluster", {u"abc"_s, u"-xyz"_s}, {u"unknown option \"-xyz\""_s});
    row("empty file name", {u"-o"_s, u""_s, u"abc"_s}, {u"-o"_s});
    row("two texts", {u"abc"_s, u"def"_s}, {u"\"def\""_s});
    // Values are shown quoted, escaped and cut: a message is one line and cannot steer a terminal.
    row("line feed in a value", {u"--form"_s, u"left\nto-right"_s, u"abc"_s}, {u"\"left\\nto-right\""_s});
    row("terminal title in a value", {u"--first"_s, u"\x1b]0;title\x07"_s, u"abc"_s},
        {u"--first"_s, u"\"\\x1b]0;title\\x07\""_s});
    row("C1 control in a value", {u"--space"_s, u"\u009b2J"_s, u"abc"_s}, {u"\"\\x9b2J\""_s});
    row("line separator in a value", {u"--hue"_s, u"a\u2028b"_s, u"abc"_s}, {u"\"a\\u2028b\""_s});
    row("quote and backslash in a value", {u"--unit"_s, u"a\"b\\c"_s, u"abc"_s}, {u"\"a\\\"b\\\\c\""_s});
    row("escape in an unknown option", {u"--\x1b[2J"_s, u"abc"_s}, {u"\"--\\x1b[2J\""_s});
    row("escape in a second text", {u"abc"_s, u"\r\x1b[2K"_s}, {u"\"\\r\\x1b[2K\""_s});
    row("100 KB preset name", {u"--preset"_s, QString(100'000, u'x'), u"abc"_s},
        {u"\""_s + QString(100, u'x') + u"…\""_s});
    row("long value cut at a whole escape", {u"--form"_s, QString(99, u'x') + u"\n"_s, u"abc"_s},
        {u"\""_s + QString(99, u'x') + u"…\""_s});
    row("-o path with a line feed", {u"-o"_s, u"/nonexistent\n/out.htm"_s, u"abc"_s},
        {u"-o: cannot write \"/nonexistent\\n/out.htm\": "_s});
}

void TestCliUsage::usageError()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, named);

    const CliOutcome outcome = CliProcess::run(arguments);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(outcome.standardOutput, QByteArray());
    const QString message = QString::fromUtf8(outcome.standardError);
    QVERIFY2(message.startsWith(u"huespan-cli: "_s), qPrintable(message));
    QVERIFY2(message.endsWith(u'\n') && message.count(u'\n') == 1, qPrintable(message));
    const auto steersTerminal = [](QChar c) {
        return (c.unicode() < 0x20 && c != u'\n') || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) ||
               c == QChar(0x2028) || c == QChar(0x2029);
    };
    QVERIFY2(std::none_of(message.begin(), message.end(), steersTerminal), qPrintable(message));
    QVERIFY2(message.size() < 400, qPrintable(message.left(400)));
    for (const QString& name : named)
        QVERIFY2(message.contains(name), qPrintable(u"missing "_s + name + u" in: "_s + message));
}

void TestCliUsage::refusal_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");

    const QStringList bothSides{u"--form"_s, u"both-sides-same"_s};
    QTest::newRow("empty argument") << QStringList{u""_s} << QByteArray() << kEmptyText;
    QTest::newRow("empty input") << QStringList{} << QByteArray() << kEmptyText;
    QTest::newRow("input of one line feed") << QStringList{} << QByteArrayLiteral("\n") << kEmptyText;
    QTest::newRow("input of CR LF") << QStringList{} << QByteArrayLiteral("\r\n") << kEmptyText;
    QTest::newRow("one character") << QStringList{u"a"_s} << QByteArray() << kOneCharacter;
    QTest::newRow("one character from input") << QStringList{} << QByteArrayLiteral("a\n") << kOneCharacter;
    QTest::newRow("one character with page")
        << QStringList{u"--page"_s, u"1,2,3"_s, u"あ"_s} << QByteArray() << kOneCharacter;
    QTest::newRow("both sides, empty") << bothSides + QStringList{u""_s} << QByteArray() << kEmptyText;
    QTest::newRow("both sides, one character")
        << bothSides + QStringList{u"a"_s} << QByteArray() << kTooFewCharacters;
    QTest::newRow("both sides, two characters")
        << bothSides << QByteArrayLiteral("ab\n") << kTooFewCharacters;
    QTest::newRow("32768 characters") << QStringList{kTooLongText} << QByteArray() << kEmptyText;
    QTest::newRow("32768 characters from input")
        << QStringList{} << (kTooLongText + u"\n"_s).toUtf8() << kEmptyText;
    // The limit counts UTF-16 code units: a character outside the basic plane counts twice.
    QTest::newRow("16384 emoji") << QStringList{u"😀"_s.repeated(16384)} << QByteArray() << kEmptyText;
    QTest::newRow("both sides, 32768 characters")
        << bothSides + QStringList{kTooLongText} << QByteArray() << kEmptyText;
}

void TestCliUsage::refusal()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, message);

    const CliOutcome outcome = CliProcess::run(arguments, input);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(outcome.standardOutput, QByteArray());
    QCOMPARE(QString::fromUtf8(outcome.standardError), message + u'\n');
}

void TestCliUsage::longestText_data()
{
    QTest::addColumn<GradientForm>("form");
    QTest::addColumn<QString>("formName");

    QTest::newRow("left to right") << GradientForm::LeftToRight << u"left-to-right"_s;
    QTest::newRow("both sides same") << GradientForm::BothSidesSame << u"both-sides-same"_s;
}

void TestCliUsage::longestText()
{
    QFETCH(GradientForm, form);
    QFETCH(QString, formName);

    GradientSettings settings;
    settings.form = form;
    settings.componentTexts = {u"0"_s, u"0"_s, u"0"_s, u"255"_s, u"128"_s, u"1"_s};
    const CliOutcome outcome =
        CliProcess::run({u"--form"_s, formName, u"--second"_s, u"255,128,1"_s}, kLongestText.toUtf8());
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    const QString expected = RecordingHost::markupFor(settings, kLongestText);
    QVERIFY(!expected.isEmpty());
    QVERIFY(outcome.standardOutput == expected.toUtf8());
}

void TestCliUsage::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("shown");

    const QStringList helpHolds{u"huespan-cli [options] [TEXT]"_s,
                                u"--form"_s,
                                u"--first"_s,
                                u"--hex"_s,
                                u"--heading"_s,
                                u"--page"_s,
                                u"--encoding"_s,
                                u"-o"_s};
    const QStringList versionHolds{u"huespan-cli "_s + QLatin1StringView(HUESPAN_VERSION) + u'\n'};
    QTest::newRow("--help") << QStringList{u"--help"_s} << helpHolds;
    QTest::newRow("-h") << QStringList{u"-h"_s} << helpHolds;
    QTest::newRow("--help among options") << QStringList{u"--bold"_s, u"--help"_s, u"x"_s} << helpHolds;
    QTest::newRow("--version") << QStringList{u"--version"_s} << versionHolds;
    QTest::newRow("-v") << QStringList{u"-v"_s} << versionHolds;
}

void TestCliUsage::helpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, shown);

    const CliOutcome outcome = CliProcess::run(arguments);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardError, QByteArray());
    const QString text = QString::fromUtf8(outcome.standardOutput);
    for (const QString& piece : shown)
        QVERIFY2(text.contains(piece), qPrintable(u"missing "_s + piece + u" in: "_s + text));
}

QTEST_GUILESS_MAIN(TestCliUsage)
#include "TestCliUsage.moc"
