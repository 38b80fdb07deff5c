#include "CodePageEncoder.h"

#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

class TestCodePageEncoder : public QObject
{
    Q_OBJECT

private slots:
    void utf8MatchesQt_data();
    void utf8MatchesQt();
    void shiftJis_data();
    void shiftJis();
    void unknownEncoding();
    void systemCodePageIsUsable();
};

void TestCodePageEncoder::utf8MatchesQt_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("ascii") << u"<HTML>\r\n</HTML>"_s;
    QTest::newRow("japanese") << u"Huespanプレビュー 生成！"_s;
    QTest::newRow("emoji") << u"a😀b𠮟c"_s;
}

void TestCodePageEncoder::utf8MatchesQt()
{
    QFETCH(QString, text);
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    const QByteArray expected = toUtf8.encode(text);
    const std::optional<QByteArray> actual = CodePageEncoder::encode(text, "UTF-8");
    QVERIFY(actual.has_value());
    QCOMPARE(*actual, expected);
}

void TestCodePageEncoder::shiftJis_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("ascii") << u"<A>\r\n"_s << QByteArray("<A>\r\n");
    QTest::newRow("hiragana a") << u"あ"_s << QByteArray::fromHex("82a0");
    QTest::newRow("katakana a") << u"ア"_s << QByteArray::fromHex("8341");
    QTest::newRow("half-width katakana") << u"ｱ"_s << QByteArray::fromHex("b1");
    QTest::newRow("kanji") << u"漢字"_s << QByteArray::fromHex("8abf8e9a");
    QTest::newRow("wave dash of the code page") << u"～"_s << QByteArray::fromHex("8160");
    QTest::newRow("preview title") << u"プレビュー"_s << QByteArray::fromHex("8376838c83728385815b");
    QTest::newRow("generate") << u"生成"_s << QByteArray::fromHex("90b690ac");
    QTest::newRow("emoji becomes one question mark") << u"a😀b"_s << QByteArray("a?b");
    QTest::newRow("hangul becomes a question mark") << u"x한y"_s << QByteArray("x?y");
    QTest::newRow("unpaired surrogate becomes a question mark")
        << u"x"_s + QChar(0xD83D) + u"y"_s << QByteArray("x?y");
    QTest::newRow("long text keeps going past a gap")
        << QString(5000, u'あ') + u"😀"_s + QString(5000, u'A')
        << QByteArray::fromHex("82a0").repeated(5000) + "?" + QByteArray(5000, 'A');
}

void TestCodePageEncoder::shiftJis()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const std::optional<QByteArray> actual = CodePageEncoder::encode(text, "CP932");
    QVERIFY(actual.has_value());
    QCOMPARE(*actual, expected);
}

void TestCodePageEncoder::unknownEncoding()
{
    QVERIFY(!CodePageEncoder::isKnownEncoding("NO-SUCH-ENCODING-42"));
    QVERIFY(!CodePageEncoder::encode(u"abc", "NO-SUCH-ENCODING-42").has_value());
    QVERIFY(CodePageEncoder::isKnownEncoding("UTF-8"));
    QVERIFY(CodePageEncoder::isKnownEncoding("CP932"));
}

void TestCodePageEncoder::systemCodePageIsUsable()
{
    const QByteArray codePage = CodePageEncoder::systemCodePage();
    QVERIFY(!codePage.isEmpty());
    QVERIFY(CodePageEncoder::isKnownEncoding(codePage));
    QCOMPARE(CodePageEncoder::encode(u"<HTML>", codePage).value_or(QByteArray()), QByteArray("<HTML>"));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestCodePageEncoder)
#include "TestCodePageEncoder.moc"
