#include "TextUnits.h"

#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// How a text is cut into the units that take one colour each, and what each unit is.
class TestTextUnits : public QObject
{
    Q_OBJECT

private slots:
    void graphemeClusters_data();
    void graphemeClusters();
    void codePoints_data();
    void codePoints();
    void kinds_data();
    void kinds();

private:
    static QStringList unitsOf(const TextUnits& units);
};

QStringList TestTextUnits::unitsOf(const TextUnits& units)
{
    QStringList list;
    for (qsizetype index = 0; index < units.count(); ++index)
        list.append(units.at(index).toString());
    return list;
}

void TestTextUnits::graphemeClusters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("units");

    const QString family = u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s; // man, woman, girl
    const QString familyOfFour = u"\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466"_s;
    const QString japan = u"\U0001F1EF\U0001F1F5"_s;
    const QString unitedStates = u"\U0001F1FA\U0001F1F8"_s;
    const QString thumbMedium = u"\U0001F44D\U0001F3FD"_s;
    const QString coderMedium = u"\U0001F469\U0001F3FD\u200D\U0001F4BB"_s;
    const QString rainbowFlag = u"\U0001F3F3\uFE0F\u200D\U0001F308"_s;
    const QString keycapOne = u"1\uFE0F\u20E3"_s;
    const QString keycapHash = u"#\uFE0F\u20E3"_s;
    const QString eAcute = u"e\u0301"_s;
    const QString gaWithMark = u"\u304B\u3099"_s; // か and the combining voiced mark
    const QString stackedMarks = u"a\u0301\u0323\u0308"_s;
    const QString hangulLvt = u"\u1100\u1161\u11A8"_s; // ᄀ ᅡ ᆨ: one syllable in jamo
    const QString hangulLv = u"\u1112\u1161"_s;
    const QString hangulSyllableWithTrail = u"\uD55C\u11AB"_s; // 한 and a trailing jamo

    QTest::newRow("ZWJ family") << family + u"a"_s << QStringList{family, u"a"_s};
    QTest::newRow("ZWJ family of four") << u"x"_s + familyOfFour << QStringList{u"x"_s, familyOfFour};
    QTest::newRow("flag") << japan << QStringList{japan};
    QTest::newRow("two flags") << japan + unitedStates << QStringList{japan, unitedStates};
    QTest::newRow("flag after an emoji")
        << family + japan + unitedStates << QStringList{family, japan, unitedStates};
    QTest::newRow("odd regional indicator left alone")
        << japan + u"\U0001F1FA"_s << QStringList{japan, u"\U0001F1FA"_s};
    QTest::newRow("skin tone") << thumbMedium + u"!"_s << QStringList{thumbMedium, u"!"_s};
    QTest::newRow("skin tone in a ZWJ sequence") << coderMedium << QStringList{coderMedium};
    QTest::newRow("rainbow flag") << rainbowFlag + u"b"_s << QStringList{rainbowFlag, u"b"_s};
    QTest::newRow("keycaps") << keycapOne + keycapHash << QStringList{keycapOne, keycapHash};
    QTest::newRow("combining acute") << eAcute + u"x"_s << QStringList{eAcute, u"x"_s};
    QTest::newRow("combining voiced mark") << gaWithMark + u"な"_s << QStringList{gaWithMark, u"な"_s};
    QTest::newRow("stacked marks") << stackedMarks << QStringList{stackedMarks};
    QTest::newRow("space with a mark") << u" \u0301"_s << QStringList{u" \u0301"_s};
    QTest::newRow("less-than with a mark") << u"<\u0338"_s << QStringList{u"<\u0338"_s};
    QTest::newRow("Hangul jamo L V T") << hangulLvt + hangulLv << QStringList{hangulLvt, hangulLv};
    QTest::newRow("Hangul syllable and trailing jamo")
        << hangulSyllableWithTrail << QStringList{hangulSyllableWithTrail};
    QTest::newRow("CR LF is one") << u"a\r\nb"_s << QStringList{u"a"_s, u"\r\n"_s, u"b"_s};
    QTest::newRow("plain letters") << u"aあ漢"_s << QStringList{u"a"_s, u"あ"_s, u"漢"_s};
    QTest::newRow("surrogate pair") << u"😀x"_s << QStringList{u"😀"_s, u"x"_s};
    QTest::newRow("empty") << QString() << QStringList{};
    // Letters of the Devanagari and Thai blocks, then what follows them whole.
    QTest::newRow("emoji after Devanagari") << u"क 😀"_s << QStringList{u"क"_s, u" "_s, u"😀"_s};
    QTest::newRow("emoji and flag after Thai") << u"ดี 🙏🇹🇭"_s << QStringList{u"ดี"_s, u" "_s, u"🙏"_s, u"🇹🇭"_s};
    QTest::newRow("Devanagari CR LF") << u"ते\r\nद"_s << QStringList{u"ते"_s, u"\r\n"_s, u"द"_s};
    QTest::newRow("mark on a Devanagari letter") << u"क\u0301"_s << QStringList{u"क\u0301"_s};
    QTest::newRow("spacing mark after a mark") << u"&\u0301\u0903"_s << QStringList{u"&\u0301\u0903"_s};
    QTest::newRow("supplementary variation selector after Myanmar")
        << u"\u1000\u263A\U000E0100"_s << QStringList{u"\u1000"_s, u"\u263A\U000E0100"_s};
    QTest::newRow("lone surrogates stay single")
        << QString(QChar(0xDE00)) + QChar(0xD83D) + u"a"_s
        << QStringList{QString(QChar(0xDE00)), QString(QChar(0xD83D)), u"a"_s};
    // Regional indicators U+1F1E6 to U+1F1FF pair from the start of a run; their neighbours
    // U+1F1E5 and U+1F200 are no regional indicators and pair with nothing.
    QTest::newRow("first and last regional indicator paired at the start")
        << u"\U0001F1E6\U0001F1FFx"_s << QStringList{u"\U0001F1E6\U0001F1FF"_s, u"x"_s};
    QTest::newRow("last and first regional indicator paired at the end")
        << u"x\U0001F1FF\U0001F1E6"_s << QStringList{u"x"_s, u"\U0001F1FF\U0001F1E6"_s};
    QTest::newRow("unpaired first at the start and last at the end")
        << u"\U0001F1E6x\U0001F1FF"_s << QStringList{u"\U0001F1E6"_s, u"x"_s, u"\U0001F1FF"_s};
    QTest::newRow("third regional indicator of a run alone")
        << u"\U0001F1FF\U0001F1FF\U0001F1E6"_s << QStringList{u"\U0001F1FF\U0001F1FF"_s, u"\U0001F1E6"_s};
    QTest::newRow("neighbours of the regional indicators pair with none")
        << u"\U0001F1E5\U0001F1E6\U0001F200\U0001F1FF"_s
        << QStringList{u"\U0001F1E5"_s, u"\U0001F1E6"_s, u"\U0001F200"_s, u"\U0001F1FF"_s};
    // Since Unicode 12 a surrogate half is no control but an ordinary code point (Other): a mark
    // joins a lone half as it joins the code points either side of the surrogates.
    QTest::newRow("lone surrogate halves take a mark")
        << QString(QChar(0xD800)) + u"\u0301"_s + QChar(0xDBFF) + u"\u0301"_s + QChar(0xDC00) + u"\u0301"_s +
               QChar(0xDFFF) + u"\u0301"_s
        << QStringList{QString(QChar(0xD800)) + u"\u0301"_s, QString(QChar(0xDBFF)) + u"\u0301"_s,
                       QString(QChar(0xDC00)) + u"\u0301"_s, QString(QChar(0xDFFF)) + u"\u0301"_s};
    QTest::newRow("neighbours of the surrogates take a mark")
        << u"\uD7FF\u0301\uE000\u0301\U00010000\u0301\U0010FFFF\u0301"_s
        << QStringList{u"\uD7FF\u0301"_s, u"\uE000\u0301"_s, u"\U00010000\u0301"_s, u"\U0010FFFF\u0301"_s};
    QTest::newRow("pairs at the ends of the surrogate ranges")
        << u"\U00010000\U0010FFFF"_s << QStringList{u"\U00010000"_s, u"\U0010FFFF"_s};
    QTest::newRow("high half before a pair, lone high at the end")
        << QString(QChar(0xDBFF)) + u"\U00010000"_s + QChar(0xDBFF)
        << QStringList{QString(QChar(0xDBFF)), u"\U00010000"_s, QString(QChar(0xDBFF))};
    QTest::newRow("lone low at the start, low before a pair")
        << QString(QChar(0xDC00)) + QChar(0xDFFF) + u"\U0010FFFF"_s
        << QStringList{QString(QChar(0xDC00)), QString(QChar(0xDFFF)), u"\U0010FFFF"_s};
}

void TestTextUnits::graphemeClusters()
{
    QFETCH(QString, text);
    QFETCH(QStringList, units);
    const TextUnits cut(text, TextUnit::Grapheme, false, false);
    QCOMPARE(unitsOf(cut), units);
    QCOMPARE(cut.colouredCount(), units.size());
}

void TestTextUnits::codePoints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("keepLineBreaks");
    QTest::addColumn<QStringList>("units");

    QTest::newRow("family emoji falls apart") << u"\U0001F468\u200D\U0001F469"_s << false
                                              << QStringList{u"\U0001F468"_s, u"\u200D"_s, u"\U0001F469"_s};
    QTest::newRow("combining mark on its own") << u"e\u0301"_s << false << QStringList{u"e"_s, u"\u0301"_s};
    QTest::newRow("lone surrogates") << QString(QChar(0xDE00)) + QChar(0xD83D) << false
                                     << QStringList{QString(QChar(0xDE00)), QString(QChar(0xD83D))};
    QTest::newRow("CR LF is two") << u"\r\n"_s << false << QStringList{u"\r"_s, u"\n"_s};
    QTest::newRow("CR LF kept is one") << u"a\r\n\r\n"_s << true << QStringList{u"a"_s, u"\r\n"_s, u"\r\n"_s};
    QTest::newRow("LF CR kept is two") << u"\n\r"_s << true << QStringList{u"\n"_s, u"\r"_s};
    // Every regional indicator is a code point of its own, paired or not.
    QTest::newRow("regional indicators at the ends of their range")
        << u"\U0001F1E6\U0001F1FF\U0001F1E5\U0001F200"_s << false
        << QStringList{u"\U0001F1E6"_s, u"\U0001F1FF"_s, u"\U0001F1E5"_s, u"\U0001F200"_s};
    // A high half (U+D800 to U+DBFF) and a low half (U+DC00 to U+DFFF) after it make one code point.
    QTest::newRow("pairs at the ends of the surrogate ranges")
        << u"\uD7FF\U00010000\U0010FFFF\uE000"_s << false
        << QStringList{u"\uD7FF"_s, u"\U00010000"_s, u"\U0010FFFF"_s, u"\uE000"_s};
    QTest::newRow("lone halves at the ends of the surrogate ranges")
        << QString(QChar(0xDBFF)) + QChar(0xD800) + u"a"_s + QChar(0xDC00) + QChar(0xDFFF) << false
        << QStringList{QString(QChar(0xDBFF)), QString(QChar(0xD800)), u"a"_s, QString(QChar(0xDC00)),
                       QString(QChar(0xDFFF))};
    QTest::newRow("high half before a pair, lone high at the end")
        << QString(QChar(0xDBFF)) + u"\U0010FFFF"_s + QChar(0xD800) << false
        << QStringList{QString(QChar(0xDBFF)), u"\U0010FFFF"_s, QString(QChar(0xD800))};
}

void TestTextUnits::codePoints()
{
    QFETCH(QString, text);
    QFETCH(bool, keepLineBreaks);
    QFETCH(QStringList, units);
    QCOMPARE(unitsOf(TextUnits(text, TextUnit::CodePoint, false, keepLineBreaks)), units);
}

void TestTextUnits::kinds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("grapheme");
    QTest::addColumn<bool>("skipWhitespace");
    QTest::addColumn<bool>("keepLineBreaks");
    // One letter per unit: C coloured, W white space, L line break.
    QTest::addColumn<QString>("kinds");

    const QString blanks = u" \t\u3000\u00A0\u2003\u2028\u000B\u0085"_s;
    QTest::newRow("nothing skipped") << u"a b\n"_s << false << false << false << u"CCCC"_s;
    QTest::newRow("every kind of white space") << blanks << false << true << false << u"WWWWWWWW"_s;
    QTest::newRow("look-alikes are not white space")
        << u"\u200B\u180E\u2060_"_s << false << true << false << u"CCCC"_s;
    QTest::newRow("line breaks are white space when not kept")
        << u"a\r\nb\rc\n"_s << false << true << false << u"CWWCWCW"_s;
    QTest::newRow("kept line breaks") << u"a\r\nb\rc\n"_s << false << false << true << u"CLCLCL"_s;
    QTest::newRow("kept line breaks win over white space")
        << u" \r\n "_s << false << true << true << u"WLW"_s;
    QTest::newRow("space with a mark takes a colour") << u" \u0301 "_s << true << true << false << u"CW"_s;
    QTest::newRow("grapheme CR LF kept") << u"😀\r\n😀"_s << true << false << true << u"CLC"_s;
}

void TestTextUnits::kinds()
{
    QFETCH(QString, text);
    QFETCH(bool, grapheme);
    QFETCH(bool, skipWhitespace);
    QFETCH(bool, keepLineBreaks);
    QFETCH(QString, kinds);

    const TextUnits units(text, grapheme ? TextUnit::Grapheme : TextUnit::CodePoint, skipWhitespace,
                          keepLineBreaks);
    QString found;
    for (qsizetype index = 0; index < units.count(); ++index) {
        switch (units.kind(index)) {
        case TextUnits::Kind::Coloured:
            found += u'C';
            break;
        case TextUnits::Kind::Whitespace:
            found += u'W';
            break;
        case TextUnits::Kind::LineBreak:
            found += u'L';
            break;
        }
    }
    QCOMPARE(found, kinds);
    QCOMPARE(units.colouredCount(), kinds.count(u'C'));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestTextUnits)
#include "TestTextUnits.moc"
