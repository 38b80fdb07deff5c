#include "ColourValues.h"
#include "ProgressText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

class TestColourValues : public QObject
{
    Q_OBJECT

private slots:
    void readComponent_data();
    void readComponent();
    void readColoursTakesTheSixTextsInOrder_data();
    void readColoursTakesTheSixTextsInOrder();
    void hexPair_data();
    void hexPair();
    void hexPairCoversEveryComponent();
    void colourCode_data();
    void colourCode();
    void interpolateComponent_data();
    void interpolateComponent();
    void interpolateStaysBetweenItsEnds_data();
    void interpolateStaysBetweenItsEnds();
    void progressText_data();
    void progressText();
};

void TestColourValues::readComponent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal empty") << QString() << false << 0;
    QTest::newRow("hex empty") << QString() << true << 0;
    QTest::newRow("decimal 0") << u"0"_s << false << 0;
    QTest::newRow("decimal 255") << u"255"_s << false << 255;
    QTest::newRow("decimal 128") << u"128"_s << false << 128;
    QTest::newRow("decimal leading zeros") << u"007"_s << false << 7;
    QTest::newRow("decimal digits then letters") << u"12abc"_s << false << 12;
    QTest::newRow("decimal no number") << u"abc"_s << false << 0;
    QTest::newRow("decimal hex digits are not decimal") << u"ff"_s << false << 0;
    QTest::newRow("decimal 0.5 to even") << u"0.5"_s << false << 0;
    QTest::newRow("decimal 1.5 to even") << u"1.5"_s << false << 2;
    QTest::newRow("decimal 2.5 to even") << u"2.5"_s << false << 2;
    QTest::newRow("decimal 127.5 to even") << u"127.5"_s << false << 128;
    QTest::newRow("decimal 2.4 down") << u"2.4"_s << false << 2;
    QTest::newRow("decimal 2.6 up") << u"2.6"_s << false << 3;
    QTest::newRow("hex ff") << u"ff"_s << true << 255;
    QTest::newRow("hex FF") << u"FF"_s << true << 255;
    QTest::newRow("hex 0FF") << u"0FF"_s << true << 255;
    QTest::newRow("hex A") << u"A"_s << true << 10;
    QTest::newRow("hex a") << u"a"_s << true << 10;
    QTest::newRow("hex 80") << u"80"_s << true << 128;
    QTest::newRow("hex 0") << u"0"_s << true << 0;
    QTest::newRow("hex 00") << u"00"_s << true << 0;
    QTest::newRow("hex 0a") << u"0a"_s << true << 10;
    QTest::newRow("hex 10 is sixteen") << u"10"_s << true << 16;
    QTest::newRow("hex leading run only") << u"1g"_s << true << 1;
    QTest::newRow("hex starts with non-digit") << u"g1"_s << true << 0;
}

void TestColourValues::readComponent()
{
    QFETCH(QString, text);
    QFETCH(bool, hexadecimal);
    QFETCH(int, expected);
    QCOMPARE(ReadComponent(text, hexadecimal ? Notation::Hexadecimal : Notation::Decimal), qint16(expected));
}

void TestColourValues::readColoursTakesTheSixTextsInOrder_data()
{
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("decimal") << false << QStringList{u"1"_s, u"2"_s, u"3"_s, u"250"_s, u"0"_s, u""_s}
                             << QList<int>{1, 2, 3, 250, 0, 0};
    QTest::newRow("hexadecimal") << true << QStringList{u"ff"_s, u"0a"_s, u"80"_s, u"1"_s, u""_s, u"0FE"_s}
                                 << QList<int>{255, 10, 128, 1, 0, 254};
}

void TestColourValues::readColoursTakesTheSixTextsInOrder()
{
    QFETCH(bool, hexadecimal);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, expected);

    GradientSettings settings;
    settings.notation = hexadecimal ? Notation::Hexadecimal : Notation::Decimal;
    for (int i = 0; i < 6; ++i)
        settings.componentTexts[size_t(i)] = texts[i];
    const auto [first, second] = ReadColours(settings);
    const QList<int> actual{first.red, first.green, first.blue, second.red, second.green, second.blue};
    QCOMPARE(actual, expected);
}

void TestColourValues::hexPair_data()
{
    QTest::addColumn<int>("component");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << 0 << u"00"_s;
    QTest::newRow("1") << 1 << u"01"_s;
    QTest::newRow("10") << 10 << u"0A"_s;
    QTest::newRow("15") << 15 << u"0F"_s;
    QTest::newRow("16") << 16 << u"10"_s;
    QTest::newRow("171") << 171 << u"AB"_s;
    QTest::newRow("255") << 255 << u"FF"_s;
}

void TestColourValues::hexPair()
{
    QFETCH(int, component);
    QFETCH(QString, expected);
    QCOMPARE(HexPair(qint16(component)), expected);
}

void TestColourValues::hexPairCoversEveryComponent()
{
    // Two upper-case digits that read back as the value, for every valid component.
    for (int value = 0; value <= 255; ++value) {
        const QString pair = HexPair(qint16(value));
        QCOMPARE(pair.size(), 2);
        QCOMPARE(pair, pair.toUpper());
        bool ok = false;
        QCOMPARE(pair.toInt(&ok, 16), value);
        QVERIFY(ok);
    }
}

void TestColourValues::colourCode_data()
{
    QTest::addColumn<QList<int>>("components");
    QTest::addColumn<QString>("expected");

    QTest::newRow("orange") << QList<int>{255, 128, 0} << u"FF8000"_s;
    QTest::newRow("black") << QList<int>{0, 0, 0} << u"000000"_s;
    QTest::newRow("white") << QList<int>{255, 255, 255} << u"FFFFFF"_s;
    QTest::newRow("order is red green blue") << QList<int>{1, 2, 3} << u"010203"_s;
    QTest::newRow("letters upper case") << QList<int>{171, 205, 239} << u"ABCDEF"_s;
}

void TestColourValues::colourCode()
{
    QFETCH(QList<int>, components);
    QFETCH(QString, expected);
    const ColourTriple colour{qint16(components[0]), qint16(components[1]), qint16(components[2])};
    QCOMPARE(ColourCode(colour), expected);
}

void TestColourValues::interpolateComponent_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("expected");

    QTest::newRow("127.5 to 128") << 0 << 255 << 1 << 2 << 128;
    QTest::newRow("0.5 to 0") << 0 << 1 << 1 << 2 << 0;
    QTest::newRow("42.5 to 42") << 0 << 255 << 1 << 6 << 42;
    QTest::newRow("127.5 of six to 128") << 0 << 255 << 3 << 6 << 128;
    QTest::newRow("33.33 to 33") << 0 << 100 << 1 << 3 << 33;
    QTest::newRow("falling to 85") << 255 << -255 << 2 << 3 << 85;
    QTest::newRow("11.5 to 12") << 10 << 3 << 1 << 2 << 12;
    QTest::newRow("just above a half, long span") << 0 << 255 << 9197 << 10001 << 234;
    QTest::newRow("1.5 to 2") << 0 << 3 << 1 << 2 << 2;
    QTest::newRow("2.5 to 2") << 0 << 5 << 1 << 2 << 2;
    QTest::newRow("126.5 to 126") << 0 << 253 << 1 << 2 << 126;
    QTest::newRow("falling 127.5 to 128") << 255 << -255 << 1 << 2 << 128;
    QTest::newRow("falling two thirds") << 255 << -255 << 1 << 3 << 170;
    QTest::newRow("a quarter of 255") << 0 << 255 << 1 << 4 << 64;
    QTest::newRow("three quarters of 255") << 255 << -255 << 3 << 4 << 64;
    QTest::newRow("no change") << 77 << 0 << 5 << 9 << 77;
}

void TestColourValues::interpolateComponent()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    QFETCH(int, position);
    QFETCH(int, span);
    QFETCH(int, expected);
    QCOMPARE(InterpolateComponent(qint16(start), qint16(delta), position, span), qint16(expected));
}

void TestColourValues::interpolateStaysBetweenItsEnds_data()
{
    QTest::addColumn<int>("span");
    for (int span : {2, 3, 7, 100, 254, 8001, 32766})
        QTest::addRow("span %d", span) << span;
}

void TestColourValues::interpolateStaysBetweenItsEnds()
{
    QFETCH(int, span);
    const int step = span > 300 ? span / 97 : 1;
    for (const auto& [from, to] : {std::pair{0, 255}, {255, 0}, {17, 18}, {200, 3}, {128, 128}, {1, 254}}) {
        int previous = from;
        for (int position = 1; position < span; position += step) {
            const int value = InterpolateComponent(qint16(from), qint16(to - from), position, span);
            QVERIFY2(value >= std::min(from, to) && value <= std::max(from, to),
                     qPrintable(u"%1 -> %2 at %3/%4 gave %5"_s.arg(from).arg(to).arg(position).arg(span).arg(
                         value)));
            // A gradient never turns back on itself.
            QVERIFY(from <= to ? value >= previous : value <= previous);
            previous = value;
        }
    }
}

void TestColourValues::progressText_data()
{
    QTest::addColumn<int>("percentage");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << 0 << u"処理中...0%"_s;
    QTest::newRow("7") << 7 << u"処理中...7%"_s;
    QTest::newRow("50") << 50 << u"処理中...50%"_s;
    QTest::newRow("100") << 100 << u"処理中...100%"_s;
}

void TestColourValues::progressText()
{
    QFETCH(int, percentage);
    QFETCH(QString, expected);
    QCOMPARE(ProgressText(percentage), expected);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestColourValues)
#include "TestColourValues.moc"
