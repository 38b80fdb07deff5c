#include "CliMarkup.h"
#include "CliProcess.h"
#include "GradientSettings.h"
#include "RecordingHost.h"

#include <QFile>
#include <QHash>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

void setColours(GradientSettings& settings, Notation notation, const std::array<QString, 6>& texts)
{
    settings.notation = notation;
    settings.componentTexts = texts;
}

// A deliberately small encoder for the test's own expectations: ASCII passes, the listed
// characters become their known bytes, everything else (a surrogate pair counting as one
// character) becomes "?".
QByteArray encodedWith(const QString& text, const QHash<char32_t, QByteArray>& table)
{
    QByteArray bytes;
    for (const char32_t codePoint : text.toUcs4()) {
        if (codePoint < 0x80)
            bytes.append(static_cast<char>(codePoint));
        else
            bytes.append(table.value(codePoint, QByteArrayLiteral("?")));
    }
    return bytes;
}

const QHash<char32_t, QByteArray> kCp932{
    {U'あ', QByteArrayLiteral("\x82\xA0")}, {U'い', QByteArrayLiteral("\x82\xA2")},
    {U'漢', QByteArrayLiteral("\x8A\xBF")}, {U'プ', QByteArrayLiteral("\x83\x76")},
    {U'レ', QByteArrayLiteral("\x83\x8C")}, {U'ビ', QByteArrayLiteral("\x83\x72")},
    {U'ュ', QByteArrayLiteral("\x83\x85")}, {U'ー', QByteArrayLiteral("\x81\x5B")},
    {U'～', QByteArrayLiteral("\x81\x60")},
};
// Shift-JIS proper has no fullwidth tilde; the rest is shared with CP932.
const QHash<char32_t, QByteArray> kShiftJis{
    {U'あ', QByteArrayLiteral("\x82\xA0")},
    {U'い', QByteArrayLiteral("\x82\xA2")},
};
const QHash<char32_t, QByteArray> kEucJp{
    {U'あ', QByteArrayLiteral("\xA4\xA2")},
    {U'い', QByteArrayLiteral("\xA4\xA4")},
};

QString element(const QString& colour, const QString& character)
{
    return u"<FONT COLOR=\"#"_s + colour + u"\">"_s + character + u"</FONT>"_s;
}

QString page(const QString& background, const QString& markup)
{
    return u"<HTML>\r\n<HEAD><TITLE>Huespanプレビュー</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#"_s + background +
           u"\">\r\n"_s + markup + u"\r\n</BODY>\r\n</HTML>"_s;
}

} // namespace

class TestCliOutput : public QObject
{
    Q_OBJECT

private slots:
    void markupMatchesCore_data();
    void markupMatchesCore();
    void markupIsExact_data();
    void markupIsExact();
    void textFromStandardInput_data();
    void textFromStandardInput();
    void previewPage_data();
    void previewPage();
    void encoding_data();
    void encoding();
    void outputFile_data();
    void outputFile();
    void outputToDevice();
    void refusedTextLeavesOutputFile();
    void unwritableOutputFile_data();
    void unwritableOutputFile();
};

void TestCliOutput::markupMatchesCore_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");
    QTest::addColumn<SettingsEdit>("edit");

    const SettingsEdit none = [](GradientSettings&) {};
    const SettingsEdit redToBlue = [](GradientSettings& s) {
        setColours(s, Notation::Decimal, {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s});
    };
    const QStringList redToBlueArguments{u"--first"_s, u"255,0,0"_s, u"--second"_s, u"0,0,255"_s};

    QTest::newRow("defaults") << QStringList{} << u"abc"_s << none;
    QTest::newRow("escaped characters") << redToBlueArguments << u"a <b> & c"_s << redToBlue;
    QTest::newRow("Japanese text") << redToBlueArguments << u"グラデーション"_s << redToBlue;
    QTest::newRow("decimal with leading zeros")
        << QStringList{u"--first"_s, u"007,010,255"_s, u"--second"_s, u"0,00,1"_s} << u"abcdefg"_s
        << SettingsEdit([](GradientSettings& s) {
               setColours(s, Notation::Decimal, {u"7"_s, u"10"_s, u"255"_s, u"0"_s, u"0"_s, u"1"_s});
           });
    QTest::newRow("hexadecimal lower case")
        << QStringList{u"--hex"_s, u"--first"_s, u"ff,80,0a"_s, u"--second"_s, u"0,c0,ff"_s} << u"abcdef"_s
        << SettingsEdit([](GradientSettings& s) {
               setColours(s, Notation::Hexadecimal, {u"FF"_s, u"80"_s, u"0A"_s, u"0"_s, u"C0"_s, u"FF"_s});
           });
    QTest::newRow("hexadecimal mixed case")
        << QStringList{u"--first"_s, u"Ff,A,00"_s, u"--hex"_s, u"--second"_s, u"1,fE,b"_s} << u"abcd"_s
        << SettingsEdit([](GradientSettings& s) {
               setColours(s, Notation::Hexadecimal, {u"FF"_s, u"0A"_s, u"0"_s, u"1"_s, u"FE"_s, u"B"_s});
           });
    QTest::newRow("both sides same") << (QStringList{u"--form"_s, u"both-sides-same"_s} + redToBlueArguments)
                                     << u"abcdefghi"_s << SettingsEdit([redToBlue](GradientSettings& s) {
                                            redToBlue(s);
                                            s.form = GradientForm::BothSidesSame;
                                        });
    QTest::newRow("bold") << QStringList{u"--bold"_s} << u"ab"_s
                          << SettingsEdit([](GradientSettings& s) { s.bold = true; });
    QTest::newRow("size 1") << QStringList{u"--size"_s, u"1"_s} << u"ab"_s
                            << SettingsEdit([](GradientSettings& s) { s.fontSize = 1; });
    QTest::newRow("size 7") << QStringList{u"--size"_s, u"7"_s} << u"ab"_s
                            << SettingsEdit([](GradientSettings& s) { s.fontSize = 7; });
    QTest::newRow("heading H6") << QStringList{u"--heading"_s, u"H6"_s} << u"ab"_s
                                << SettingsEdit([](GradientSettings& s) {
                                       s.sizeMode = SizeMode::Heading;
                                       s.heading = 6;
                                   });
    QTest::newRow("heading h3") << QStringList{u"--heading=h3"_s} << u"ab"_s
                                << SettingsEdit([](GradientSettings& s) {
                                       s.sizeMode = SizeMode::Heading;
                                       s.heading = 3;
                                   });
    QTest::newRow("tags before and after")
        << QStringList{u"--before"_s, u"<CENTER><BLINK>"_s, u"--after"_s, u"</BLINK></CENTER>"_s} << u"ab"_s
        << SettingsEdit([](GradientSettings& s) {
               s.tagsBefore = u"<CENTER><BLINK>"_s;
               s.tagsAfter = u"</BLINK></CENTER>"_s;
           });
    QTest::newRow("line breaks") << QStringList{u"--line-breaks"_s} << u"abc"_s
                                 << SettingsEdit([](GradientSettings& s) { s.lineBreaks = true; });
    QTest::newRow("everything at once")
        << QStringList{u"--form"_s,   u"both-sides-same"_s, u"--hex"_s,    u"--first"_s,
                       u"ff,ff,0"_s,  u"--second"_s,        u"0,80,ff"_s,  u"--bold"_s,
                       u"--italic"_s, u"--underline"_s,     u"--strike"_s, u"--size"_s,
                       u"5"_s,        u"--before"_s,        u"<P>"_s,      u"--after"_s,
                       u"</P>"_s,     u"--line-breaks"_s}
        << u"Huespan グラデーション"_s << SettingsEdit([](GradientSettings& s) {
               s.form = GradientForm::BothSidesSame;
               setColours(s, Notation::Hexadecimal, {u"FF"_s, u"FF"_s, u"0"_s, u"0"_s, u"80"_s, u"FF"_s});
               s.bold = s.italic = s.underline = s.strike = true;
               s.fontSize = 5;
               s.tagsBefore = u"<P>"_s;
               s.tagsAfter = u"</P>"_s;
               s.lineBreaks = true;
           });
    // A text that looks like an option reaches the generation after "--".
    QTest::newRow("text after double dash") << QStringList{u"--bold"_s, u"--"_s} << u"--italic"_s
                                            << SettingsEdit([](GradientSettings& s) { s.bold = true; });
    // Options that Qt would take for itself belong to the user's command line.
    QTest::newRow("Qt's debugger option as text") << QStringList{u"--"_s} << u"-qmljsdebugger=x"_s << none;
}

void TestCliOutput::markupMatchesCore()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    QFETCH(SettingsEdit, edit);
    verifyMarkupMatchesCore(arguments, text, edit);
}

void TestCliOutput::markupIsExact_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");

    const QStringList colours{u"--first"_s, u"255,0,0"_s, u"--second"_s, u"0,0,255"_s};
    QTest::newRow("bold, size 3") << colours + QStringList{u"--bold"_s, u"--size"_s, u"3"_s, u"a b"_s}
                                  << u"<B><FONT SIZE=\"3\">"_s + element(u"FF0000"_s, u"a"_s) +
                                         element(u"800080"_s, u"&nbsp;"_s) + element(u"0000FF"_s, u"b"_s) +
                                         u"</FONT></B>"_s;
    QTest::newRow("heading with line breaks")
        << colours + QStringList{u"--bold"_s, u"--heading"_s, u"2"_s, u"--line-breaks"_s, u"a b"_s}
        << u"<B><H2>\r\n"_s + element(u"FF0000"_s, u"a"_s) + u"\r\n"_s + element(u"800080"_s, u"&nbsp;"_s) +
               u"\r\n"_s + element(u"0000FF"_s, u"b"_s) + u"\r\n</H2></B>"_s;
    QTest::newRow("both sides same, hexadecimal")
        << QStringList{u"--form"_s, u"both-sides-same"_s, u"--hex"_s,  u"--first"_s,
                       u"ff,0,0"_s, u"--second"_s,        u"0,0,FF"_s, u"abcde"_s}
        << element(u"FF0000"_s, u"a"_s) + element(u"800080"_s, u"b"_s) + element(u"0000FF"_s, u"c"_s) +
               element(u"800080"_s, u"d"_s) + element(u"FF0000"_s, u"e"_s);
    QTest::newRow("all styles and tags")
        << QStringList{u"--strike"_s, u"--underline"_s, u"--italic"_s, u"--bold"_s, u"--before"_s,
                       u"<X>"_s,      u"--after"_s,     u"</X>"_s,     u"ab"_s}
        << u"<B><I><U><S><X>"_s + element(u"000000"_s, u"a"_s) + element(u"000000"_s, u"b"_s) +
               u"</X></S></U></I></B>"_s;
}

void TestCliOutput::markupIsExact()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);

    const CliOutcome outcome = CliProcess::run(arguments);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QString::fromUtf8(outcome.standardOutput), expected);
}

void TestCliOutput::textFromStandardInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("no final line break") << QByteArrayLiteral("abc") << u"abc"_s;
    QTest::newRow("final line feed dropped") << QByteArrayLiteral("abc\n") << u"abc"_s;
    QTest::newRow("final CR LF dropped") << QByteArrayLiteral("abc\r\n") << u"abc"_s;
    QTest::newRow("only one line feed dropped") << QByteArrayLiteral("abc\n\n") << u"abc\n"_s;
    QTest::newRow("lone final CR kept") << QByteArrayLiteral("abc\r") << u"abc\r"_s;
    QTest::newRow("CR before CR LF kept") << QByteArrayLiteral("abc\r\r\n") << u"abc\r"_s;
    QTest::newRow("inner line breaks kept") << QByteArrayLiteral("a\r\nb\nc\n") << u"a\r\nb\nc"_s;
    QTest::newRow("UTF-8") << u"グラデーション\n"_s.toUtf8() << u"グラデーション"_s;
    QTest::newRow("blanks kept") << QByteArrayLiteral("  a b  \n") << u"  a b  "_s;
}

void TestCliOutput::textFromStandardInput()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);

    GradientSettings settings;
    settings.componentTexts = {u"10"_s, u"20"_s, u"30"_s, u"200"_s, u"100"_s, u"0"_s};
    settings.lineBreaks = true;
    const CliOutcome outcome = CliProcess::run(
        {u"--first"_s, u"10,20,30"_s, u"--second"_s, u"200,100,0"_s, u"--line-breaks"_s}, input);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QString::fromUtf8(outcome.standardOutput), RecordingHost::markupFor(settings, text));
}

void TestCliOutput::previewPage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");

    const QString redBlue = element(u"FF0000"_s, u"a"_s) + element(u"0000FF"_s, u"b"_s);
    const QStringList decimal{u"--first"_s, u"255,0,0"_s, u"--second"_s, u"0,0,255"_s};
    const QStringList hexadecimal{u"--hex"_s, u"--first"_s, u"ff,0,0"_s, u"--second"_s, u"0,0,ff"_s};

    QTest::newRow("decimal") << decimal + QStringList{u"--page"_s, u"255,128,0"_s, u"ab"_s}
                             << page(u"FF8000"_s, redBlue);
    QTest::newRow("decimal single digits")
        << decimal + QStringList{u"--page"_s, u"5,171,255"_s, u"ab"_s} << page(u"05ABFF"_s, redBlue);
    QTest::newRow("decimal black") << decimal + QStringList{u"--page"_s, u"0,0,0"_s, u"ab"_s}
                                   << page(u"000000"_s, redBlue);
    QTest::newRow("hexadecimal keeps case")
        << hexadecimal + QStringList{u"--page"_s, u"a,ff,0"_s, u"ab"_s} << page(u"0aff00"_s, redBlue);
    QTest::newRow("hexadecimal as typed")
        << hexadecimal + QStringList{u"--page"_s, u"Ab,0C,e"_s, u"ab"_s} << page(u"Ab0C0e"_s, redBlue);
    QTest::newRow("hexadecimal with leading zeros")
        << hexadecimal + QStringList{u"--page"_s, u"00f,0,0ff"_s, u"ab"_s} << page(u"0F00FF"_s, redBlue);
    QTest::newRow("line breaks inside the page")
        << decimal + QStringList{u"--page"_s, u"1,2,3"_s, u"--line-breaks"_s, u"ab"_s}
        << page(u"010203"_s, u"\r\n"_s + element(u"FF0000"_s, u"a"_s) + u"\r\n"_s +
                                 element(u"0000FF"_s, u"b"_s) + u"\r\n"_s);
}

void TestCliOutput::previewPage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);

    const CliOutcome outcome = CliProcess::run(arguments);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QString::fromUtf8(outcome.standardOutput), expected);
    QCOMPARE(outcome.standardOutput, expected.toUtf8());
}

void TestCliOutput::encoding_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");

    GradientSettings settings;
    const auto markup = [&settings](const QString& text) { return RecordingHost::markupFor(settings, text); };

    QTest::newRow("UTF-8 by default") << QStringList{u"あい😀"_s} << markup(u"あい😀"_s).toUtf8();
    QTest::newRow("UTF-8 named") << QStringList{u"--encoding"_s, u"UTF-8"_s, u"漢字"_s}
                                 << markup(u"漢字"_s).toUtf8();
    QTest::newRow("CP932") << QStringList{u"--encoding"_s, u"CP932"_s, u"あい漢"_s}
                           << encodedWith(markup(u"あい漢"_s), kCp932);
    QTest::newRow("CP932 fullwidth tilde")
        << QStringList{u"--encoding"_s, u"CP932"_s, u"あ～い"_s} << encodedWith(markup(u"あ～い"_s), kCp932);
    QTest::newRow("CP932 emoji") << QStringList{u"--encoding"_s, u"CP932"_s, u"a😀b"_s}
                                 << encodedWith(markup(u"a😀b"_s), kCp932);
    QTest::newRow("CP932 emoji in tags")
        << QStringList{u"--encoding"_s, u"CP932"_s, u"--before"_s, u"<😀>"_s, u"あい"_s}
        << encodedWith(u"<😀>"_s + markup(u"あい"_s), kCp932);
    QTest::newRow("CP932 page") << QStringList{u"--encoding"_s, u"CP932"_s, u"--page"_s, u"0,0,0"_s,
                                               u"あい"_s}
                                << encodedWith(page(u"000000"_s, markup(u"あい"_s)), kCp932);
    QTest::newRow("SHIFT_JIS lacks the fullwidth tilde")
        << QStringList{u"--encoding"_s, u"SHIFT_JIS"_s, u"あ～い"_s}
        << encodedWith(markup(u"あ～い"_s), kShiftJis);
    QTest::newRow("EUC-JP") << QStringList{u"--encoding"_s, u"EUC-JP"_s, u"あい"_s}
                            << encodedWith(markup(u"あい"_s), kEucJp);
    // The byte order is in the name: no mark for the markup, one for a page, which a browser
    // recognises only by its mark.
    QStringEncoder utf16le(QStringEncoder::Utf16LE);
    QStringEncoder utf16be(QStringEncoder::Utf16BE);
    QStringEncoder utf32le(QStringEncoder::Utf32LE);
    QTest::newRow("UTF-16LE markup") << QStringList{u"--encoding"_s, u"UTF-16LE"_s, u"あ😀"_s}
                                     << QByteArray(utf16le.encode(markup(u"あ😀"_s)));
    QTest::newRow("UTF-16LE page")
        << QStringList{u"--encoding"_s, u"UTF-16LE"_s, u"--page"_s, u"0,0,0"_s, u"あい"_s}
        << QByteArray("\xFF\xFE").append(utf16le.encode(page(u"000000"_s, markup(u"あい"_s))));
    QTest::newRow("UTF-16BE page")
        << QStringList{u"--encoding"_s, u"UTF-16BE"_s, u"--page"_s, u"0,0,0"_s, u"あい"_s}
        << QByteArray("\xFE\xFF").append(utf16be.encode(page(u"000000"_s, markup(u"あい"_s))));
    QTest::newRow("UTF-32LE page")
        << QStringList{u"--encoding"_s, u"UTF-32LE"_s, u"--page"_s, u"0,0,0"_s, u"a😀"_s}
        << QByteArray("\xFF\xFE\0\0", 4).append(utf32le.encode(page(u"000000"_s, markup(u"a😀"_s))));
}

void TestCliOutput::encoding()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);

    const CliOutcome outcome = CliProcess::run(arguments);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.standardError, QByteArray());
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardOutput, expected);
}

void TestCliOutput::outputFile_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("previousContent");

    QTest::newRow("-o, new file") << u"-o"_s << QByteArray();
    QTest::newRow("--output, new file") << u"--output"_s << QByteArray();
    QTest::newRow("-o, longer file replaced") << u"-o"_s << QByteArray(5000, 'x');
}

void TestCliOutput::outputFile()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, previousContent);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"out.htm"_s);
    if (!previousContent.isEmpty()) {
        QFile previous(path);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write(previousContent);
    }

    const CliOutcome outcome = CliProcess::run(
        {option, path, u"--encoding"_s, u"CP932"_s, u"--page"_s, u"255,255,255"_s, u"あい"_s});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardOutput, QByteArray());

    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(),
             encodedWith(page(u"FFFFFF"_s, RecordingHost::markupFor(GradientSettings{}, u"あい"_s)), kCp932));
}

void TestCliOutput::outputToDevice()
{
    // A device is written in place, never replaced by a file of the same name.
    const CliOutcome outcome = CliProcess::run({u"-o"_s, u"/dev/stdout"_s, u"--bold"_s, u"abc"_s});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    GradientSettings settings;
    settings.bold = true;
    QCOMPARE(outcome.standardOutput, RecordingHost::markupFor(settings, u"abc"_s).toUtf8());
}

void TestCliOutput::refusedTextLeavesOutputFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"out.htm"_s);
    const QByteArray previousContent = QByteArrayLiteral("an earlier page");
    {
        QFile previous(path);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write(previousContent);
    }

    const CliOutcome outcome = CliProcess::run({u"-o"_s, path, u"x"_s});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 1);
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), previousContent);
}

void TestCliOutput::unwritableOutputFile_data()
{
    QTest::addColumn<QString>("relativePath");

    QTest::newRow("missing folder") << u"no-such-folder/out.htm"_s;
    QTest::newRow("a folder") << u"."_s;
}

void TestCliOutput::unwritableOutputFile()
{
    QFETCH(QString, relativePath);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(relativePath);
    const CliOutcome outcome = CliProcess::run({u"-o"_s, path, u"abc"_s});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(outcome.standardOutput, QByteArray());
    const QString message = QString::fromUtf8(outcome.standardError);
    QVERIFY2(message.contains(u"-o"_s) && message.contains(path), qPrintable(message));
    QCOMPARE(message.count(u'\n'), 1);
    QVERIFY(message.endsWith(u'\n'));
}

QTEST_GUILESS_MAIN(TestCliOutput)
#include "TestCliOutput.moc"
