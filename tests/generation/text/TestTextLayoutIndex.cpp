#include "TextLayoutIndex.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

using Offsets = QList<qsizetype>;

constexpr double kNarrow = 10.0;
constexpr double kWide = 20.0;
constexpr double kTabStop = 80.0;

// A face in which ASCII is half as wide as everything else, a surrogate pair included.
double measure(QStringView character)
{
    return character.size() == 1 && character.front().unicode() < 0x80 ? kNarrow : kWide;
}

TextLayoutIndex laidOut(const QString& text)
{
    TextLayoutIndex index;
    index.layOut(text, measure, kTabStop);
    return index;
}

Offsets lineStarts(const TextLayoutIndex& index)
{
    Offsets starts;
    for (qsizetype line = 0; line < index.lineCount(); ++line)
        starts.append(index.lineStart(line));
    return starts;
}

Offsets lineEnds(const TextLayoutIndex& index)
{
    Offsets ends;
    for (qsizetype line = 0; line < index.lineCount(); ++line)
        ends.append(index.lineEnd(line));
    return ends;
}

} // namespace

class TestTextLayoutIndex : public QObject
{
    Q_OBJECT

private slots:
    void linesBreakOnlyAtCarriageReturnLineFeed_data();
    void linesBreakOnlyAtCarriageReturnLineFeed();
    void charactersStandWhereTheirWidthsPutThem_data();
    void charactersStandWhereTheirWidthsPutThem();
    void nearestBoundaryToAPoint_data();
    void nearestBoundaryToAPoint();
    void caretStepsOverLineBreaksAndPairsWhole_data();
    void caretStepsOverLineBreaksAndPairsWhole();
    void wordMovesAndWords_data();
    void wordMovesAndWords();
    void emptyIndexIsOneEmptyLine();
};

void TestTextLayoutIndex::linesBreakOnlyAtCarriageReturnLineFeed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Offsets>("starts");
    QTest::addColumn<Offsets>("ends");

    QTest::newRow("no break") << u"abc"_s << Offsets{0} << Offsets{3};
    QTest::newRow("CR LF") << u"ab\r\ncd"_s << Offsets{0, 4} << Offsets{2, 6};
    QTest::newRow("pasted x CR LF y") << u"x\r\ny"_s << Offsets{0, 3} << Offsets{1, 4};
    QTest::newRow("lone LF") << u"a\nb"_s << Offsets{0} << Offsets{3};
    QTest::newRow("lone CR") << u"a\rb"_s << Offsets{0} << Offsets{3};
    QTest::newRow("LF CR, the wrong way round") << u"a\n\rb"_s << Offsets{0} << Offsets{4};
    QTest::newRow("line separator") << u"a\u2028b"_s << Offsets{0} << Offsets{3};
    QTest::newRow("paragraph separator") << u"a\u2029b"_s << Offsets{0} << Offsets{3};
    QTest::newRow("CR before CR LF") << u"a\r\r\nb"_s << Offsets{0, 4} << Offsets{2, 5};
    QTest::newRow("CR LF LF") << u"a\r\n\nb"_s << Offsets{0, 3} << Offsets{1, 5};
    QTest::newRow("CR at the very end") << u"ab\r"_s << Offsets{0} << Offsets{3};
    QTest::newRow("CR LF at the end opens an empty line") << u"ab\r\n"_s << Offsets{0, 4} << Offsets{2, 4};
    QTest::newRow("two breaks make an empty line") << u"a\r\n\r\nb"_s << Offsets{0, 3, 5} << Offsets{1, 3, 6};
    QTest::newRow("markup with line breaks")
        << u"<B>\r\n<FONT COLOR=\"#FF0000\">色</FONT>\r\n</B>"_s << Offsets{0, 5, 37} << Offsets{3, 35, 41};
}

void TestTextLayoutIndex::linesBreakOnlyAtCarriageReturnLineFeed()
{
    QFETCH(QString, text);
    QFETCH(Offsets, starts);
    QFETCH(Offsets, ends);

    const TextLayoutIndex index = laidOut(text);
    QCOMPARE(index.text(), text);
    QCOMPARE(lineStarts(index), starts);
    QCOMPARE(lineEnds(index), ends);
    for (qsizetype line = 0; line < starts.size(); ++line) {
        for (qsizetype offset = starts[line]; offset <= ends[line]; ++offset)
            QCOMPARE(index.lineOf(offset), line);
    }
}

void TestTextLayoutIndex::charactersStandWhereTheirWidthsPutThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<double>>("x");
    QTest::addColumn<double>("widest");

    QTest::newRow("narrow and wide") << u"a字b"_s << QList<double>{0, 10, 30, 40} << 40.0;
    QTest::newRow("each line starts at 0; the break carries the width")
        << u"ab\r\n字"_s << QList<double>{0, 10, 20, 20, 0, 20} << 20.0;
    QTest::newRow("lone LF takes its room") << u"a\nb"_s << QList<double>{0, 10, 20, 30} << 30.0;
    QTest::newRow("surrogate pair is one character")
        << u"a\U0001F308b"_s << QList<double>{0, 10, 10, 30, 40} << 40.0;
    QTest::newRow("tab goes to the next stop") << u"a\tb\t"_s << QList<double>{0, 10, 80, 90, 160} << 160.0;
    QTest::newRow("tab on a stop goes to the next")
        << u"abcdefgh\t"_s << QList<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 160} << 160.0;
    QTest::newRow("widest is the longest line")
        << u"字字\r\na"_s << QList<double>{0, 20, 40, 40, 0, 10} << 40.0;
}

void TestTextLayoutIndex::charactersStandWhereTheirWidthsPutThem()
{
    QFETCH(QString, text);
    QFETCH(QList<double>, x);
    QFETCH(double, widest);

    const TextLayoutIndex index = laidOut(text);
    QList<double> actual;
    for (qsizetype offset = 0; offset <= text.size(); ++offset)
        actual.append(index.xOf(offset));
    QCOMPARE(actual, x);
    QCOMPARE(index.widestLine(), widest);
}

void TestTextLayoutIndex::nearestBoundaryToAPoint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("line");
    QTest::addColumn<double>("x");
    QTest::addColumn<qsizetype>("offset");

    const QString text = u"a字b\r\n\U0001F308c"_s;
    QTest::newRow("left of everything") << text << qsizetype(0) << -5.0 << qsizetype(0);
    QTest::newRow("just inside the first half") << text << qsizetype(0) << 4.0 << qsizetype(0);
    QTest::newRow("middle goes left") << text << qsizetype(0) << 5.0 << qsizetype(0);
    QTest::newRow("past the middle") << text << qsizetype(0) << 6.0 << qsizetype(1);
    QTest::newRow("into the wide character") << text << qsizetype(0) << 21.0 << qsizetype(2);
    QTest::newRow("right of the line stops before its break")
        << text << qsizetype(0) << 500.0 << qsizetype(3);
    QTest::newRow("never between the halves of a pair") << text << qsizetype(1) << 9.0 << qsizetype(5);
    QTest::newRow("after the pair") << text << qsizetype(1) << 11.0 << qsizetype(7);
}

void TestTextLayoutIndex::nearestBoundaryToAPoint()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, line);
    QFETCH(double, x);
    QFETCH(qsizetype, offset);

    QCOMPARE(laidOut(text).offsetInLineAt(line, x), offset);
}

void TestTextLayoutIndex::caretStepsOverLineBreaksAndPairsWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Offsets>("forward");

    QTest::newRow("CR LF is one step") << u"a\r\nb"_s << Offsets{0, 1, 3, 4};
    QTest::newRow("lone CR and LF are characters") << u"a\r\nb\nc\r"_s << Offsets{0, 1, 3, 4, 5, 6, 7};
    QTest::newRow("pair is one step") << u"\U0001F308\U0001F308"_s << Offsets{0, 2, 4};
}

void TestTextLayoutIndex::caretStepsOverLineBreaksAndPairsWhole()
{
    QFETCH(QString, text);
    QFETCH(Offsets, forward);

    const TextLayoutIndex index = laidOut(text);
    Offsets visited{0};
    for (qsizetype offset = 0; offset < text.size();) {
        offset = index.nextPosition(offset);
        visited.append(offset);
    }
    QCOMPARE(visited, forward);
    QCOMPARE(index.nextPosition(text.size()), text.size());

    Offsets back{text.size()};
    for (qsizetype offset = text.size(); offset > 0;) {
        offset = index.previousPosition(offset);
        back.prepend(offset);
    }
    QCOMPARE(back, forward);
    QCOMPARE(index.previousPosition(0), qsizetype(0));
}

void TestTextLayoutIndex::wordMovesAndWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<qsizetype>("nextWord");
    QTest::addColumn<qsizetype>("previousWord");
    QTest::addColumn<qsizetype>("wordStart");
    QTest::addColumn<qsizetype>("wordEnd");

    const QString markup = u"<FONT COLOR=\"#FF0000\">"_s;
    QTest::newRow("inside a word") << markup << qsizetype(2) << qsizetype(6) << qsizetype(1) << qsizetype(1)
                                   << qsizetype(5);
    QTest::newRow("on signs") << markup << qsizetype(11) << qsizetype(14) << qsizetype(6) << qsizetype(11)
                              << qsizetype(14);
    QTest::newRow("blank before a word")
        << markup << qsizetype(5) << qsizetype(6) << qsizetype(1) << qsizetype(5) << qsizetype(6);
    QTest::newRow("word ends at the line break, not beyond")
        << u"ab\r\ncd"_s << qsizetype(2) << qsizetype(4) << qsizetype(0) << qsizetype(0) << qsizetype(2);
    QTest::newRow("lone LF separates words like a blank")
        << u"ab\ncd"_s << qsizetype(0) << qsizetype(3) << qsizetype(0) << qsizetype(0) << qsizetype(2);
}

void TestTextLayoutIndex::wordMovesAndWords()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, offset);
    QFETCH(qsizetype, nextWord);
    QFETCH(qsizetype, previousWord);
    QFETCH(qsizetype, wordStart);
    QFETCH(qsizetype, wordEnd);

    const TextLayoutIndex index = laidOut(text);
    QCOMPARE(index.nextWordPosition(offset), nextWord);
    QCOMPARE(index.previousWordPosition(offset), previousWord);
    QCOMPARE(index.wordAt(offset), std::pair(wordStart, wordEnd));
}

void TestTextLayoutIndex::emptyIndexIsOneEmptyLine()
{
    for (const TextLayoutIndex& index : {TextLayoutIndex(), laidOut(QString())}) {
        QCOMPARE(index.lineCount(), qsizetype(1));
        QCOMPARE(index.lineEnd(0), qsizetype(0));
        QCOMPARE(index.xOf(0), 0.0);
        QCOMPARE(index.offsetInLineAt(0, 30.0), qsizetype(0));
        QCOMPARE(index.nextPosition(0), qsizetype(0));
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestTextLayoutIndex)
#include "TestTextLayoutIndex.moc"
