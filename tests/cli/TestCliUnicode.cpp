#include "CliProcess.h"
#include "FormattedMarkup.h"
#include "TextUnits.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

// Text as Unicode defines it, through the built command line: grapheme clusters as Unicode's
// conformance file cuts them, and whatever the mix of scripts and options, every character back
// in the output and none of them turned into "?".
class TestCliUnicode : public QObject
{
    Q_OBJECT

private slots:
    void versionNamesUnicode();
    void conformanceLines();
    void unitsOfScripts_data();
    void unitsOfScripts();
    void randomMixes();

private:
    QString randomText();
    QRandomGenerator m_random{20261207u};
};

namespace {

// The coloured pieces of a span run's output, or a failure message in place of the first one.
QStringList spanPieces(const CliOutcome& outcome)
{
    if (!outcome.finishedNormally || outcome.exitCode != 0)
        return {u"exit %1: "_s.arg(outcome.exitCode) + QString::fromUtf8(outcome.standardError)};
    const auto pieces = FormattedMarkup::read(QString::fromUtf8(outcome.standardOutput), OutputFormat::Span);
    if (!pieces)
        return {u"unreadable: "_s + QString::fromUtf8(outcome.standardOutput)};
    QStringList texts;
    for (const FormattedMarkup::Piece& piece : *pieces)
        texts.append(piece.text);
    return texts;
}

} // namespace

void TestCliUnicode::versionNamesUnicode()
{
    const CliOutcome outcome = CliProcess::run({u"--version"_s});
    QCOMPARE(outcome.exitCode, 0);
    const QStringList lines = QString::fromUtf8(outcome.standardOutput).split(u'\n');
    QCOMPARE(lines.size(), 3); // two lines, each ended
    QVERIFY(lines[1].contains(QRegularExpression(u"^Unicode \\d+\\.\\d+$"_s)));
    QCOMPARE(lines[1], u"Unicode "_s + TextUnits::unicodeVersion());
}

void TestCliUnicode::conformanceLines()
{
    // Lines of Unicode's file that a shell can pass as an argument (no controls) and that hold
    // more than one cluster, a few spread over the file, go through the program whole.
    QFile file(u"/usr/share/unicode/auxiliary/GraphemeBreakTest.txt"_s);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QList<std::pair<QString, QStringList>> lines;
    while (!file.atEnd()) {
        const QString data = QString::fromUtf8(file.readLine()).section(u'#', 0, 0).trimmed();
        QString text;
        QStringList clusters;
        bool usable = !data.isEmpty();
        for (const QString& token : data.split(u' ', Qt::SkipEmptyParts)) {
            if (token == u"÷") {
                clusters.append(QString());
            } else if (token != u"×") {
                const char32_t codePoint = token.toUInt(nullptr, 16);
                usable = usable && codePoint >= 0x20 && (codePoint < 0x7F || codePoint > 0x9F) &&
                         (codePoint < 0xD800 || codePoint > 0xDFFF);
                const QString character = QString::fromUcs4(&codePoint, 1);
                text += character;
                if (!clusters.isEmpty())
                    clusters.last() += character;
            }
        }
        if (!clusters.isEmpty())
            clusters.removeLast(); // the final ÷ opens no cluster
        if (usable && clusters.size() >= 2)
            lines.append({text, clusters});
    }
    QVERIFY2(lines.size() > 100, qPrintable(QString::number(lines.size())));
    for (qsizetype index = 0; index < lines.size(); index += lines.size() / 7) {
        const auto& [text, clusters] = lines[index];
        const QStringList pieces = spanPieces(
            CliProcess::run({u"--unit"_s, u"grapheme"_s, u"--format"_s, u"span"_s, u"--"_s, text}));
        QCOMPARE(pieces, clusters);
    }
}

void TestCliUnicode::unitsOfScripts_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");

    const QStringList span{u"--unit"_s, u"grapheme"_s, u"--format"_s, u"span"_s};
    QTest::newRow("emoji after Devanagari") << span << u"क 😀"_s << QStringList{u"क"_s, u" "_s, u"😀"_s};
    QTest::newRow("praying hands and flag after Thai")
        << span << u"สวัสดีครับ 🙏🇹🇭"_s
        << QStringList{u"ส"_s, u"วั"_s, u"ส"_s, u"ดี"_s, u"ค"_s, u"รั"_s, u"บ"_s, u" "_s, u"🙏"_s, u"🇹🇭"_s};
    QTest::newRow("acute on a Devanagari letter")
        << span << u"क\u0301क"_s << QStringList{u"क\u0301"_s, u"क"_s};
    QTest::newRow("two marks on an ampersand")
        << span << u"&\u0301\u0903a"_s << QStringList{u"&\u0301\u0903"_s, u"a"_s};
    // CR LF is one unit: one line break element for it, none of them coloured.
    QTest::newRow("CR LF kept after Devanagari")
        << span + QStringList{u"--keep-line-breaks"_s} << u"नमस्ते\r\nदुनिया"_s
        << QStringList{u"न"_s, u"म"_s, u"स्"_s, u"ते"_s, u"\n"_s, u"दु"_s, u"नि"_s, u"या"_s};
}

void TestCliUnicode::unitsOfScripts()
{
    QFETCH(QStringList, options);
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    const CliOutcome outcome = CliProcess::run(options + QStringList{u"--"_s, text});
    QVERIFY(!outcome.standardOutput.contains('?'));
    QCOMPARE(spanPieces(outcome), pieces);
    QCOMPARE(outcome.standardOutput.count("<br>") + outcome.standardOutput.count("<BR>"),
             text.count(u"\r\n"_s));
}

QString TestCliUnicode::randomText()
{
    static const QStringList pool{u"a"_s,
                                  u"Zz"_s,
                                  u"漢字"_s,
                                  u"かな"_s,
                                  u"नमस्ते"_s,
                                  u"क्ष"_s,
                                  u"कि"_s,
                                  u"สวัสดี"_s,
                                  u"ครับ"_s,
                                  u"한국"_s,
                                  u"\u1100\u1161\u11A8"_s,
                                  u"مرحبا"_s,
                                  u"لا"_s,
                                  u"e\u0301"_s,
                                  u"a\u0301\u0323"_s,
                                  u"か\u3099"_s,
                                  u" \u0301"_s,
                                  u"\u0903"_s,
                                  u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s,
                                  u"\U0001F44D\U0001F3FD"_s,
                                  u"1\uFE0F\u20E3"_s,
                                  u"\U0001F3F3\uFE0F\u200D\U0001F308"_s,
                                  u"😀"_s,
                                  u"\u263A\U000E0100"_s,
                                  u"\U0001F1EF\U0001F1F5"_s,
                                  u"\U0001F1FA"_s,
                                  u"\r"_s,
                                  u"\n"_s,
                                  u"\r\n"_s,
                                  u"\t"_s,
                                  u" "_s,
                                  u"\u3000"_s,
                                  u"\u0001"_s,
                                  u"\u007F"_s,
                                  u"\u200B"_s,
                                  u"\u00AD"_s,
                                  u"<"_s,
                                  u"&"_s};
    QString text = u"x"_s;
    const int pieces = 4 + int(m_random.bounded(40u));
    for (int piece = 0; piece < pieces; ++piece)
        text += pool[qsizetype(m_random.bounded(quint32(pool.size())))];
    return text + u'.'; // standard input loses one final line break; no text here ends with one
}

void TestCliUnicode::randomMixes()
{
    const QList<std::pair<QString, OutputFormat>> formats{{u"font"_s, OutputFormat::Font},
                                                          {u"span"_s, OutputFormat::Span},
                                                          {u"bbcode"_s, OutputFormat::Bbcode},
                                                          {u"ansi"_s, OutputFormat::Ansi},
                                                          {u"css"_s, OutputFormat::Css}};
    const QStringList switches{u"--merge"_s, u"--skip-whitespace"_s, u"--keep-line-breaks"_s};
    for (int round = 0; round < 2; ++round) {
        for (const auto& [formatName, format] : formats) {
            for (int chosen = 0; chosen < 8; ++chosen) {
                const QString text = randomText();
                QStringList arguments{u"--unit"_s, round == 0 ? u"grapheme"_s : u"code-point"_s,
                                      u"--format"_s, formatName};
                for (int index = 0; index < switches.size(); ++index) {
                    if (chosen & (1 << index))
                        arguments.append(switches[index]);
                }
                const CliOutcome outcome = CliProcess::run(arguments, text.toUtf8());
                const QString context = arguments.join(u' ') + u" on \""_s + text + u'"';
                QVERIFY2(outcome.finishedNormally && outcome.exitCode == 0,
                         qPrintable(context + QString::fromUtf8(outcome.standardError)));
                QVERIFY2(!outcome.standardOutput.contains('?'), qPrintable(context));
                // A cut surrogate pair can only be written as "?" or as a replacement character.
                QStringDecoder decoder(QStringDecoder::Utf8);
                const QString output = decoder(outcome.standardOutput);
                QVERIFY2(!decoder.hasError() && !output.contains(QChar::ReplacementCharacter),
                         qPrintable(context));
                const auto pieces =
                    FormattedMarkup::read(output.chopped(output.endsWith(u'\n') ? 1 : 0), format);
                QVERIFY2(pieces, qPrintable(context + u": "_s + output));
                QString expected = text;
                if (chosen & 4) {
                    expected.replace(u"\r\n"_s, u"\n"_s);
                    expected.replace(u'\r', u'\n');
                }
                if (format == OutputFormat::Ansi)
                    expected = FormattedMarkup::withControlPictures(expected);
                QCOMPARE(FormattedMarkup::text(*pieces), expected);
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestCliUnicode)
#include "TestCliUnicode.moc"
