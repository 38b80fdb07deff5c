#include "ExpectedSchedule.h"
#include "GeneratedMarkup.h"
#include "Generators.h"
#include "RecordingHost.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// The colour and the percentage of every character in both gradient forms.
class TestGradientSchedules : public QObject
{
    Q_OBJECT

private slots:
    void leftToRight_data();
    void leftToRight();
    void bothSides_data();
    void bothSides();
    void leftToRightHundredCharacters();
    void bothSidesHalfOfFifty_data();
    void bothSidesHalfOfFifty();
    void longTextsFollowTheRule_data();
    void longTextsFollowTheRule();
    void bothSidesKeepsOnlyTheLeftPart_data();
    void bothSidesKeepsOnlyTheLeftPart();

private:
    struct Outcome
    {
        Module1 state;
        RecordingHost host;
        QStringList colourCodes;
        QStringList characters;
        QList<int> percentages;
    };
    static Outcome generate(bool bothSides, const QString& text, const QString& first, const QString& second);
    static void addScheduleColumns();
    static void checkSchedule(bool bothSides);
};

TestGradientSchedules::Outcome TestGradientSchedules::generate(bool bothSides, const QString& text,
                                                               const QString& first, const QString& second)
{
    GradientSettings settings;
    settings.form = bothSides ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    settings.notation = Notation::Hexadecimal;
    for (int i = 0; i < 3; ++i) {
        settings.componentTexts[size_t(i)] = first.mid(2 * i, 2);
        settings.componentTexts[size_t(i + 3)] = second.mid(2 * i, 2);
    }
    Outcome outcome;
    outcome.state.SourceText = text;
    if (bothSides)
        GenerateBothSidesSame(outcome.state, settings, outcome.host);
    else
        GenerateLeftToRight(outcome.state, settings, outcome.host);

    const auto elements = GeneratedMarkup::readElements(outcome.state.ResultHtml, false);
    if (!elements) {
        outcome.colourCodes.append(u"unreadable markup"_s);
        return outcome;
    }
    for (const auto& element : *elements) {
        outcome.colourCodes.append(element.colourCode);
        outcome.characters.append(GeneratedMarkup::unescape(element.written));
    }
    for (const QString& progress : outcome.host.arguments(u"SetProgressText"_s)) {
        const QString prefix = u"処理中..."_s;
        bool ok = progress.startsWith(prefix) && progress.endsWith(u'%');
        const int value = ok ? QStringView(progress).sliced(prefix.size()).chopped(1).toInt(&ok) : -1;
        outcome.percentages.append(ok ? value : -1);
    }
    return outcome;
}

void TestGradientSchedules::addScheduleColumns()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("colours");
    QTest::addColumn<QList<int>>("percentages");
}

void TestGradientSchedules::checkSchedule(bool bothSides)
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, text);
    QFETCH(QStringList, colours);
    QFETCH(QList<int>, percentages);

    const Outcome outcome = generate(bothSides, text, first, second);
    QCOMPARE(outcome.colourCodes, colours);
    QCOMPARE(outcome.percentages, percentages);
    QCOMPARE(outcome.characters.join(QString()), text);
    QCOMPARE(outcome.characters, GeneratedMarkup::characters(text));
    QCOMPARE(outcome.host.count(u"ShowResult"_s), 1);
}

void TestGradientSchedules::leftToRight_data()
{
    addScheduleColumns();
    const QString high(QChar(0xD800));
    const QString low(QChar(0xDC00));

    QTest::newRow("three, red to blue")
        << u"FF0000"_s << u"0000FF"_s << u"abc"_s << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s}
        << QList<int>{33, 66, 100};
    QTest::newRow("five, red to blue")
        << u"FF0000"_s << u"0000FF"_s << u"abcde"_s
        << QStringList{u"FF0000"_s, u"BF0040"_s, u"800080"_s, u"4000BF"_s, u"0000FF"_s}
        << QList<int>{20, 40, 60, 80, 100};
    QTest::newRow("three, black to white")
        << u"000000"_s << u"FFFFFF"_s << u"xyz"_s << QStringList{u"000000"_s, u"808080"_s, u"FFFFFF"_s}
        << QList<int>{33, 66, 100};
    QTest::newRow("four, black to white")
        << u"000000"_s << u"FFFFFF"_s << u"1234"_s
        << QStringList{u"000000"_s, u"555555"_s, u"AAAAAA"_s, u"FFFFFF"_s} << QList<int>{25, 50, 75, 100};
    QTest::newRow("halves to even") << u"000000"_s << u"010305"_s << u"abc"_s
                                    << QStringList{u"000000"_s, u"000202"_s, u"010305"_s}
                                    << QList<int>{33, 66, 100};
    QTest::newRow("two characters copy both ends")
        << u"123456"_s << u"ABCDEF"_s << u"ab"_s << QStringList{u"123456"_s, u"ABCDEF"_s}
        << QList<int>{50, 100};
    QTest::newRow("equal colours") << u"3C5A78"_s << u"3C5A78"_s << u"同じ色の文字"_s
                                   << QStringList(6, u"3C5A78"_s) << QList<int>{16, 33, 50, 66, 83, 100};
    QTest::newRow("escaped middle") << u"FF0000"_s << u"0000FF"_s << u"a&b"_s
                                    << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s}
                                    << QList<int>{33, 66, 100};
    QTest::newRow("spaces only") << u"FF0000"_s << u"0000FF"_s << u"   "_s
                                 << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s}
                                 << QList<int>{33, 66, 100};
    QTest::newRow("CR LF are two steps")
        << u"000000"_s << u"FFFFFF"_s << u"a\r\nb"_s
        << QStringList{u"000000"_s, u"555555"_s, u"AAAAAA"_s, u"FFFFFF"_s} << QList<int>{25, 50, 75, 100};
    QTest::newRow("surrogate pairs are one step each")
        << u"FF0000"_s << u"0000FF"_s << u"😀a𠮟"_s << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s}
        << QList<int>{33, 66, 100};
    QTest::newRow("two emoji") << u"000000"_s << u"FFFFFF"_s << u"😀😀"_s
                               << QStringList{u"000000"_s, u"FFFFFF"_s} << QList<int>{50, 100};
    QTest::newRow("unpaired surrogates stand alone")
        << u"000000"_s << u"FFFFFF"_s << low + high + u"x"_s
        << QStringList{u"000000"_s, u"808080"_s, u"FFFFFF"_s} << QList<int>{33, 66, 100};
    QTest::newRow("high surrogate before a pair")
        << u"000000"_s << u"FFFFFF"_s << high + u"😀"_s + u"z"_s
        << QStringList{u"000000"_s, u"808080"_s, u"FFFFFF"_s} << QList<int>{33, 66, 100};
}

void TestGradientSchedules::leftToRight()
{
    checkSchedule(false);
}

void TestGradientSchedules::bothSides_data()
{
    addScheduleColumns();

    QTest::newRow("three") << u"FF0000"_s << u"0000FF"_s << u"abc"_s
                           << QStringList{u"FF0000"_s, u"0000FF"_s, u"FF0000"_s} << QList<int>{25, 75, 100};
    QTest::newRow("four") << u"FF0000"_s << u"0000FF"_s << u"abcd"_s
                          << QStringList{u"FF0000"_s, u"0000FF"_s, u"0000FF"_s, u"FF0000"_s}
                          << QList<int>{25, 50, 75, 100};
    QTest::newRow("five, worked example")
        << u"FF0000"_s << u"0000FF"_s << u"abcde"_s
        << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s, u"800080"_s, u"FF0000"_s}
        << QList<int>{16, 33, 66, 83, 100};
    QTest::newRow("six, worked example")
        << u"FF0000"_s << u"0000FF"_s << u"abcdef"_s
        << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s, u"0000FF"_s, u"800080"_s, u"FF0000"_s}
        << QList<int>{16, 33, 50, 66, 83, 100};
    QTest::newRow("nine, quarter steps")
        << u"FFFF00"_s << u"0080FF"_s << u"123456789"_s
        << QStringList{u"FFFF00"_s, u"BFDF40"_s, u"80C080"_s, u"40A0BF"_s, u"0080FF"_s,
                       u"40A0BF"_s, u"80C080"_s, u"BFDF40"_s, u"FFFF00"_s}
        << QList<int>{10, 20, 30, 40, 60, 70, 80, 90, 100};
    QTest::newRow("halves to even") << u"000000"_s << u"010305"_s << u"abcde"_s
                                    << QStringList{u"000000"_s, u"000202"_s, u"010305"_s, u"000202"_s,
                                                   u"000000"_s}
                                    << QList<int>{16, 33, 66, 83, 100};
    QTest::newRow("edge equals middle")
        << u"7F7F7F"_s << u"7F7F7F"_s << u"abcdefg"_s << QStringList(7, u"7F7F7F"_s)
        << QList<int>{12, 25, 37, 62, 75, 87, 100};
    QTest::newRow("space in the middle")
        << u"FF0000"_s << u"0000FF"_s << u"a b"_s << QStringList{u"FF0000"_s, u"0000FF"_s, u"FF0000"_s}
        << QList<int>{25, 75, 100};
    QTest::newRow("CR LF are two positions")
        << u"FF0000"_s << u"0000FF"_s << u"a\r\nb"_s
        << QStringList{u"FF0000"_s, u"0000FF"_s, u"0000FF"_s, u"FF0000"_s} << QList<int>{25, 50, 75, 100};
    QTest::newRow("surrogate pairs in both halves")
        << u"FF0000"_s << u"0000FF"_s << u"𠮟😀x😀𠮟"_s
        << QStringList{u"FF0000"_s, u"800080"_s, u"0000FF"_s, u"800080"_s, u"FF0000"_s}
        << QList<int>{16, 33, 66, 83, 100};
    QTest::newRow("three emoji") << u"FF0000"_s << u"0000FF"_s << u"😀😁😂"_s
                                 << QStringList{u"FF0000"_s, u"0000FF"_s, u"FF0000"_s}
                                 << QList<int>{25, 75, 100};
}

void TestGradientSchedules::bothSides()
{
    checkSchedule(true);
}

void TestGradientSchedules::leftToRightHundredCharacters()
{
    // i / n * 100 in floating point lands just below 29, 57 and 58 for these characters.
    QList<int> expected;
    for (int i = 1; i <= 100; ++i)
        expected.append(i);
    expected[28] = 28;
    expected[56] = 56;
    expected[57] = 57;
    const Outcome outcome = generate(false, QString(100, u'x'), u"000000"_s, u"FFFFFF"_s);
    QCOMPARE(outcome.percentages, expected);
}

void TestGradientSchedules::bothSidesHalfOfFifty_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("centreIndex"); // where the right half's first character lands
    QTest::newRow("99, odd") << 99 << 49;
    QTest::newRow("100, even") << 100 << 50;
}

void TestGradientSchedules::bothSidesHalfOfFifty()
{
    QFETCH(int, n);
    QFETCH(int, centreIndex);
    const Outcome outcome = generate(true, QString(n, u'x'), u"000000"_s, u"FFFFFF"_s);
    QCOMPARE(outcome.percentages.size(), n);
    QCOMPARE(outcome.percentages, ExpectedSchedule::bothSidesPercentages(n));
    QCOMPARE(outcome.percentages[28], 28);               // left i = 29
    QCOMPARE(outcome.percentages[centreIndex + 28], 78); // right i = 29
    QCOMPARE(outcome.percentages.last(), 100);
    for (int index = 0; index < centreIndex; ++index)
        QVERIFY(n % 2 == 0 || outcome.percentages[index] < 50);
    QCOMPARE(outcome.colourCodes[centreIndex], u"FFFFFF"_s);
    QCOMPARE(outcome.colourCodes[centreIndex - 1], n % 2 == 0 ? u"FFFFFF"_s : u"FAFAFA"_s);
}

void TestGradientSchedules::longTextsFollowTheRule_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("left to right 1000") << false << 1000 << u"FF8000"_s << u"0080FF"_s;
    QTest::newRow("left to right 8002, span above 8000") << false << 8002 << u"00FF01"_s << u"FF0000"_s;
    QTest::newRow("left to right 10002, a span of 10001") << false << 10002 << u"000000"_s << u"FFFFFF"_s;
    QTest::newRow("both sides 1001") << true << 1001 << u"102030"_s << u"F0E0D0"_s;
    QTest::newRow("both sides 16003, spans of 8001") << true << 16003 << u"FF0000"_s << u"00FF03"_s;
    QTest::newRow("both sides 20004, spans of 10001") << true << 20004 << u"000000"_s << u"FFFFFF"_s;
}

void TestGradientSchedules::longTextsFollowTheRule()
{
    QFETCH(bool, bothSides);
    QFETCH(int, n);
    QFETCH(QString, first);
    QFETCH(QString, second);

    const ColourTriple from = GeneratedMarkup::colourFromCode(first);
    const ColourTriple to = GeneratedMarkup::colourFromCode(second);
    const QList<ColourTriple> colours = bothSides ? ExpectedSchedule::bothSidesColours(from, to, n)
                                                  : ExpectedSchedule::leftToRightColours(from, to, n);
    QStringList expectedCodes;
    for (const ColourTriple& colour : colours)
        expectedCodes.append(GeneratedMarkup::codeOf(colour));

    const Outcome outcome = generate(bothSides, QString(n, u'あ'), first, second);
    QCOMPARE(outcome.colourCodes, expectedCodes);
    QCOMPARE(outcome.percentages, bothSides ? ExpectedSchedule::bothSidesPercentages(n)
                                            : ExpectedSchedule::leftToRightPercentages(n));
}

void TestGradientSchedules::bothSidesKeepsOnlyTheLeftPart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("leftPart");

    QTest::newRow("three") << u"abc"_s << u"ab"_s;
    QTest::newRow("four") << u"abcd"_s << u"ab"_s;
    QTest::newRow("five keeps the centre") << u"abcde"_s << u"abc"_s;
    QTest::newRow("six") << u"abcdef"_s << u"abc"_s;
    QTest::newRow("pairs stay whole") << u"😀😁😂"_s << u"😀😁"_s;
    QTest::newRow("pairs counted once") << u"a😀b😁c"_s << u"a😀b"_s;
}

void TestGradientSchedules::bothSidesKeepsOnlyTheLeftPart()
{
    QFETCH(QString, text);
    QFETCH(QString, leftPart);
    const Outcome outcome = generate(true, text, u"000000"_s, u"FFFFFF"_s);
    QCOMPARE(outcome.state.SourceText, leftPart);
    QCOMPARE(outcome.characters.join(QString()), text);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestGradientSchedules)
#include "TestGradientSchedules.moc"
