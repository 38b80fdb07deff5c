#include "Markup.h"
#include "MarkupWriter.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

class TestMarkup : public QObject
{
    Q_OBJECT

private slots:
    void escapeCharacter_data();
    void escapeCharacter();
    void openingAndClosing_data();
    void openingAndClosing();
    void everyFontSizeItem_data();
    void everyFontSizeItem();
    void characterElement_data();
    void characterElement();
    void workedExample_data();
    void workedExample();
    void writerKeepsEverythingAcrossGrowth();
    void lengthBoundsHoldWhatIsWritten_data();
    void lengthBoundsHoldWhatIsWritten();

private:
    template <typename Emit> static QString written(Emit&& writeInto)
    {
        QString target;
        {
            MarkupWriter writer(target);
            writeInto(writer);
        }
        return target;
    }
};

void TestMarkup::escapeCharacter_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("expected");

    QTest::newRow("less than") << u"<"_s << u"&lt;"_s;
    QTest::newRow("greater than") << u">"_s << u"&gt;"_s;
    QTest::newRow("space") << u" "_s << u"&nbsp;"_s;
    QTest::newRow("ampersand") << u"&"_s << u"&amp;"_s;
    QTest::newRow("letter") << u"a"_s << u"a"_s;
    QTest::newRow("semicolon") << u";"_s << u";"_s;
    QTest::newRow("ideographic space") << u"\u3000"_s << u"\u3000"_s;
    QTest::newRow("no-break space") << u"\u00A0"_s << u"\u00A0"_s;
    QTest::newRow("tab") << u"\t"_s << u"\t"_s;
    QTest::newRow("double quote") << u"\""_s << u"\""_s;
    QTest::newRow("carriage return") << u"\r"_s << u"\r"_s;
    QTest::newRow("line feed") << u"\n"_s << u"\n"_s;
    QTest::newRow("kanji") << u"漢"_s << u"漢"_s;
    QTest::newRow("full-width less than") << u"＜"_s << u"＜"_s;
    QTest::newRow("surrogate pair") << u"😀"_s << u"😀"_s;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) << QString(QChar(0xD83D));
}

void TestMarkup::escapeCharacter()
{
    QFETCH(QString, character);
    QFETCH(QString, expected);
    QCOMPARE(EscapeCharacter(character).toString(), expected);
}

void TestMarkup::openingAndClosing_data()
{
    QTest::addColumn<QStringList>("styles"); // any of B, I, U, S
    QTest::addColumn<bool>("heading");
    QTest::addColumn<int>("fontSize");     // 0: no size
    QTest::addColumn<int>("headingLevel"); // 0: no heading
    QTest::addColumn<QString>("tagsBefore");
    QTest::addColumn<QString>("tagsAfter");
    QTest::addColumn<bool>("lineBreaks");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");

    const int none = 0;
    QTest::newRow("nothing at all") << QStringList{} << false << none << none << QString() << QString()
                                    << false << QString() << QString();
    QTest::newRow("only a line break")
        << QStringList{} << false << none << none << QString() << QString() << true << u"\r\n"_s << QString();
    QTest::newRow("bold with size") << QStringList{u"B"_s} << false << 3 << none << QString() << QString()
                                    << false << u"<B><FONT SIZE=\"3\">"_s << u"</FONT></B>"_s;
    QTest::newRow("all styles nest") << QStringList{u"S"_s, u"U"_s, u"I"_s, u"B"_s} << false << 7 << 1
                                     << QString() << QString() << false << u"<B><I><U><S><FONT SIZE=\"7\">"_s
                                     << u"</FONT></S></U></I></B>"_s;
    QTest::newRow("heading ignores size list")
        << QStringList{} << true << 3 << 2 << QString() << QString() << false << u"<H2>"_s << u"</H2>"_s;
    QTest::newRow("normal ignores heading list")
        << QStringList{} << false << none << 1 << QString() << QString() << false << QString() << QString();
    QTest::newRow("heading without item") << QStringList{u"U"_s} << true << 5 << none << QString()
                                          << QString() << false << u"<U>"_s << u"</U>"_s;
    QTest::newRow("user tags inside size, unescaped")
        << QStringList{u"B"_s} << false << 5 << none << u"<SPAN title=\"a&b\">"_s << u"</SPAN>"_s << false
        << u"<B><FONT SIZE=\"5\"><SPAN title=\"a&b\">"_s << u"</SPAN></FONT></B>"_s;
    QTest::newRow("line break after user tags, none in closing")
        << QStringList{u"I"_s, u"S"_s} << true << 1 << 6 << u"前"_s << u"後ろ"_s << true
        << u"<I><S><H6>前\r\n"_s << u"後ろ</H6></S></I>"_s;
    QTest::newRow("only user tags") << QStringList{} << false << none << none << u"<P>"_s << u"</P>"_s
                                    << false << u"<P>"_s << u"</P>"_s;
}

void TestMarkup::openingAndClosing()
{
    QFETCH(QStringList, styles);
    QFETCH(bool, heading);
    QFETCH(int, fontSize);
    QFETCH(int, headingLevel);
    QFETCH(QString, tagsBefore);
    QFETCH(QString, tagsAfter);
    QFETCH(bool, lineBreaks);
    QFETCH(QString, opening);
    QFETCH(QString, closing);

    GradientSettings settings;
    settings.bold = styles.contains(u"B"_s);
    settings.italic = styles.contains(u"I"_s);
    settings.underline = styles.contains(u"U"_s);
    settings.strike = styles.contains(u"S"_s);
    settings.sizeMode = heading ? SizeMode::Heading : SizeMode::Normal;
    if (fontSize != 0)
        settings.fontSize = fontSize;
    if (headingLevel != 0)
        settings.heading = headingLevel;
    settings.tagsBefore = tagsBefore;
    settings.tagsAfter = tagsAfter;
    settings.lineBreaks = lineBreaks;

    QCOMPARE(written([&](MarkupWriter& html) { EmitOpening(html, settings); }), opening);
    QCOMPARE(written([&](MarkupWriter& html) { EmitClosing(html, settings); }), closing);
}

void TestMarkup::everyFontSizeItem_data()
{
    QTest::addColumn<int>("size");
    for (int size = 1; size <= 7; ++size)
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestMarkup::everyFontSizeItem()
{
    QFETCH(int, size);
    GradientSettings settings;
    settings.fontSize = size;
    QCOMPARE(written([&](MarkupWriter& html) { EmitOpening(html, settings); }),
             u"<FONT SIZE=\""_s + QString::number(size) + u"\">"_s);
    QCOMPARE(written([&](MarkupWriter& html) { EmitClosing(html, settings); }), u"</FONT>"_s);
}

void TestMarkup::characterElement_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QList<int>>("colour");
    QTest::addColumn<bool>("lineBreaks");
    QTest::addColumn<QString>("expected");

    QTest::newRow("letter") << u"a"_s << QList<int>{255, 128, 0} << false
                            << u"<FONT COLOR=\"#FF8000\">a</FONT>"_s;
    QTest::newRow("with line break") << u"b"_s << QList<int>{0, 10, 255} << true
                                     << u"<FONT COLOR=\"#000AFF\">b</FONT>\r\n"_s;
    QTest::newRow("space") << u" "_s << QList<int>{1, 2, 3} << false
                           << u"<FONT COLOR=\"#010203\">&nbsp;</FONT>"_s;
    QTest::newRow("ampersand") << u"&"_s << QList<int>{0, 0, 0} << false
                               << u"<FONT COLOR=\"#000000\">&amp;</FONT>"_s;
    QTest::newRow("carriage return bare")
        << u"\r"_s << QList<int>{0, 0, 0} << true << u"<FONT COLOR=\"#000000\">\r</FONT>\r\n"_s;
    QTest::newRow("surrogate pair whole")
        << u"😀"_s << QList<int>{16, 32, 48} << false << u"<FONT COLOR=\"#102030\">😀</FONT>"_s;
}

void TestMarkup::characterElement()
{
    QFETCH(QString, character);
    QFETCH(QList<int>, colour);
    QFETCH(bool, lineBreaks);
    QFETCH(QString, expected);

    GradientSettings settings;
    settings.lineBreaks = lineBreaks;
    settings.bold = true; // styles belong to the opening, never to a character element
    settings.fontSize = 4;
    const ColourTriple triple{qint16(colour[0]), qint16(colour[1]), qint16(colour[2])};
    QCOMPARE(written([&](MarkupWriter& html) { EmitCharacter(html, character, triple, settings); }),
             expected);
}

void TestMarkup::workedExample_data()
{
    QTest::addColumn<bool>("lineBreaks");
    QTest::addColumn<bool>("heading");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain")
        << false << false
        << u"<B><FONT SIZE=\"3\"><FONT COLOR=\"#FF0000\">a</FONT>"
           u"<FONT COLOR=\"#800080\">&nbsp;</FONT><FONT COLOR=\"#0000FF\">b</FONT></FONT></B>"_s;
    QTest::newRow("line breaks")
        << true << false
        << u"<B><FONT SIZE=\"3\">\r\n<FONT COLOR=\"#FF0000\">a</FONT>\r\n"
           u"<FONT COLOR=\"#800080\">&nbsp;</FONT>\r\n<FONT COLOR=\"#0000FF\">b</FONT>\r\n"
           u"</FONT></B>"_s;
    QTest::newRow("heading H2")
        << false << true
        << u"<B><H2><FONT COLOR=\"#FF0000\">a</FONT>"
           u"<FONT COLOR=\"#800080\">&nbsp;</FONT><FONT COLOR=\"#0000FF\">b</FONT></H2></B>"_s;
}

void TestMarkup::workedExample()
{
    QFETCH(bool, lineBreaks);
    QFETCH(bool, heading);
    QFETCH(QString, expected);

    GradientSettings settings;
    settings.bold = true;
    settings.fontSize = 3;
    settings.heading = 2;
    settings.sizeMode = heading ? SizeMode::Heading : SizeMode::Normal;
    settings.lineBreaks = lineBreaks;
    const QString actual = written([&](MarkupWriter& html) {
        EmitOpening(html, settings);
        EmitCharacter(html, u"a", {255, 0, 0}, settings);
        EmitCharacter(html, u" ", {128, 0, 128}, settings);
        EmitCharacter(html, u"b", {0, 0, 255}, settings);
        EmitClosing(html, settings);
    });
    QCOMPARE(actual, expected);
}

void TestMarkup::writerKeepsEverythingAcrossGrowth()
{
    // Appending far beyond the first reservation must carry the cursor over to the new storage
    // and keep what the target held before.
    QString target = u"kept:"_s;
    QString expected = target;
    {
        MarkupWriter writer(target);
        writer.reserve(4);
        for (int i = 0; i < 5000; ++i) {
            const QString piece = QString::number(i) + u"あ"_s;
            writer.append(piece);
            expected += piece;
        }
        QCOMPARE(writer.written(), expected);
        writer.append(u"end");
    }
    QCOMPARE(target, expected + u"end"_s);
}

void TestMarkup::lengthBoundsHoldWhatIsWritten_data()
{
    QTest::addColumn<bool>("everything");
    QTest::newRow("nothing") << false;
    QTest::newRow("everything") << true;
}

void TestMarkup::lengthBoundsHoldWhatIsWritten()
{
    QFETCH(bool, everything);
    GradientSettings settings;
    if (everything) {
        settings.bold = settings.italic = settings.underline = settings.strike = true;
        settings.fontSize = 7;
        settings.tagsBefore = u"<DIV class=\"長いクラス名\">"_s;
        settings.tagsAfter = u"</DIV>"_s;
        settings.lineBreaks = true;
    }
    QVERIFY(written([&](MarkupWriter& html) { EmitOpening(html, settings); }).size() <=
            openingLengthBound(settings));
    QVERIFY(written([&](MarkupWriter& html) { EmitClosing(html, settings); }).size() <=
            closingLengthBound(settings));
    for (const QString& character : {u" "_s, u"&"_s, u"a"_s, u"😀"_s}) {
        const QString element = written([&](MarkupWriter& html) {
            EmitCharacter(html, character, {255, 255, 255}, settings);
        });
        QVERIFY(element.size() <= characterElementLengthBound(character.size()));
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestMarkup)
#include "TestMarkup.moc"
