#include "ComponentText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {
// Marks a reading the fields never rely on, left to the implementation.
constexpr int kUnchecked = -1;
} // namespace

class TestComponentText : public QObject
{
    Q_OBJECT

private slots:
    void readings_data();
    void readings();
    void readingsSaturate();
    void renderings_data();
    void renderings();
    void renderingsReadBack();
    void integerConversion_data();
    void integerConversion();
    void digits_data();
    void digits();
};

void TestComponentText::readings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimal");
    QTest::addColumn<int>("hexadecimal");

    QTest::newRow("empty") << QString() << 0 << 0;
    QTest::newRow("0") << u"0"_s << 0 << 0;
    QTest::newRow("255") << u"255"_s << 255 << 0x255;
    QTest::newRow("leading zeros") << u"007"_s << 7 << 7;
    QTest::newRow("leading blanks") << u"  12"_s << 12 << kUnchecked;
    QTest::newRow("ff") << u"ff"_s << 0 << 255;
    QTest::newRow("FF") << u"FF"_s << 0 << 255;
    QTest::newRow("0FF") << u"0FF"_s << 0 << 255;
    QTest::newRow("mixed case") << u"aB"_s << 0 << 0xAB;
    QTest::newRow("digits then letters") << u"12ab"_s << 12 << 0x12AB;
    QTest::newRow("digits then other") << u"19z5"_s << 19 << 0x19;
    QTest::newRow("letter first") << u"g12"_s << 0 << 0;
    QTest::newRow("sign is not a digit") << u"-5"_s << 0 << 0;
}

void TestComponentText::readings()
{
    QFETCH(QString, text);
    QFETCH(int, decimal);
    QFETCH(int, hexadecimal);
    QCOMPARE(ComponentText::decimalReading(text), decimal);
    if (hexadecimal != kUnchecked)
        QCOMPARE(ComponentText::hexadecimalReading(text), hexadecimal);
}

void TestComponentText::readingsSaturate()
{
    // Pasted digit runs far beyond any integer must read as something large, not wrap around.
    const QString digits(200, u'9');
    QVERIFY(ComponentText::decimalReading(digits) > 255);
    QVERIFY(ComponentText::hexadecimalReading(QString(200, u'F')) > 255);
    QVERIFY(ComponentText::decimalReading(u"99999999999"_s) > 255);
    QVERIFY(ComponentText::hexadecimalReading(u"FFFFFFFFFFF"_s) > 255);
}

void TestComponentText::renderings_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hexadecimal");

    QTest::newRow("0") << 0 << u"0"_s << u"0"_s;
    QTest::newRow("9") << 9 << u"9"_s << u"9"_s;
    QTest::newRow("15") << 15 << u"15"_s << u"F"_s;
    QTest::newRow("16") << 16 << u"16"_s << u"10"_s;
    QTest::newRow("128") << 128 << u"128"_s << u"80"_s;
    QTest::newRow("171") << 171 << u"171"_s << u"AB"_s;
    QTest::newRow("255") << 255 << u"255"_s << u"FF"_s;
}

void TestComponentText::renderings()
{
    QFETCH(int, value);
    QFETCH(QString, decimal);
    QFETCH(QString, hexadecimal);
    QCOMPARE(ComponentText::decimalRendering(value), decimal);
    QCOMPARE(ComponentText::hexadecimalRendering(value), hexadecimal);
}

void TestComponentText::renderingsReadBack()
{
    for (int value = 0; value <= 255; ++value) {
        QCOMPARE(ComponentText::decimalReading(ComponentText::decimalRendering(value)), value);
        QCOMPARE(ComponentText::hexadecimalReading(ComponentText::hexadecimalRendering(value)), value);
        QCOMPARE(ComponentText::integerConversion(ComponentText::decimalRendering(value)), qint16(value));
    }
}

void TestComponentText::integerConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("value");

    QTest::newRow("digits") << u"12"_s << true << 12;
    QTest::newRow("zero") << u"0"_s << true << 0;
    QTest::newRow("leading blanks") << u" 12"_s << true << 12;
    QTest::newRow("trailing blanks") << u"12  "_s << true << 12;
    QTest::newRow("leading zeros") << u"007"_s << true << 7;
    QTest::newRow("minus") << u"-5"_s << true << -5;
    QTest::newRow("plus") << u"+5"_s << true << 5;
    QTest::newRow("16-bit maximum") << u"32767"_s << true << 32767;
    QTest::newRow("beyond 16 bits") << u"32768"_s << false << 0;
    QTest::newRow("16-bit minimum") << u"-32768"_s << true << -32768;
    QTest::newRow("below 16 bits") << u"-32769"_s << false << 0;
    QTest::newRow("huge") << QString(40, u'9') << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("blanks only") << u"  "_s << false << 0;
    QTest::newRow("sign only") << u"-"_s << false << 0;
    QTest::newRow("hex letters") << u"ff"_s << false << 0;
    QTest::newRow("digits then letters") << u"12a"_s << false << 0;
    QTest::newRow("full-width digits") << u"１２"_s << false << 0;
}

void TestComponentText::integerConversion()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(int, value);

    const std::optional<qint16> conversion = ComponentText::integerConversion(text);
    QCOMPARE(conversion.has_value(), converts);
    if (converts)
        QCOMPARE(*conversion, qint16(value));
}

void TestComponentText::digits_data()
{
    QTest::addColumn<QChar>("character");
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<bool>("hexadecimal");

    QTest::newRow("0") << QChar(u'0') << true << true;
    QTest::newRow("9") << QChar(u'9') << true << true;
    QTest::newRow("a") << QChar(u'a') << false << true;
    QTest::newRow("F") << QChar(u'F') << false << true;
    QTest::newRow("g, past f") << QChar(u'g') << false << false;
    QTest::newRow("G, past F") << QChar(u'G') << false << false;
    QTest::newRow("/, before 0") << QChar(u'/') << false << false;
    QTest::newRow(":, after 9") << QChar(u':') << false << false;
    QTest::newRow("@, before A") << QChar(u'@') << false << false;
    QTest::newRow("`, before a") << QChar(u'`') << false << false;
    QTest::newRow("full-width 5") << QChar(u'５') << false << false;
    QTest::newRow("full-width A") << QChar(u'Ａ') << false << false;
    QTest::newRow("Arabic-Indic 3") << QChar(u'٣') << false << false;
    QTest::newRow("superscript 2") << QChar(u'²') << false << false;
    QTest::newRow("blank") << QChar(u' ') << false << false;
}

// Only ASCII digits count, however many scripts call a character a digit.
void TestComponentText::digits()
{
    QFETCH(QChar, character);
    QFETCH(bool, decimal);
    QFETCH(bool, hexadecimal);

    QCOMPARE(ComponentText::isDecimalDigit(character), decimal);
    QCOMPARE(ComponentText::isHexadecimalDigit(character), hexadecimal);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestComponentText)
#include "TestComponentText.moc"
