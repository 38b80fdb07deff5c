#include "PreviewPage.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

class TestPreviewPage : public QObject
{
    Q_OBJECT

private slots:
    void colourText_data();
    void colourText();
    void pageText_data();
    void pageText();
};

void TestPreviewPage::colourText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("decimalNotation");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal 5") << u"5"_s << true << u"05"_s;
    QTest::newRow("decimal 171") << u"171"_s << true << u"AB"_s;
    QTest::newRow("decimal 255") << u"255"_s << true << u"FF"_s;
    QTest::newRow("decimal 128") << u"128"_s << true << u"80"_s;
    QTest::newRow("decimal 0") << u"0"_s << true << u"00"_s;
    QTest::newRow("decimal empty") << QString() << true << u"00"_s;
    QTest::newRow("hex a keeps case") << u"a"_s << false << u"0a"_s;
    QTest::newRow("hex ff keeps case") << u"ff"_s << false << u"ff"_s;
    QTest::newRow("hex Ab as typed") << u"Ab"_s << false << u"Ab"_s;
    QTest::newRow("hex 0") << u"0"_s << false << u"00"_s;
    QTest::newRow("hex 0f as typed") << u"0f"_s << false << u"0f"_s;
    QTest::newRow("hex empty") << QString() << false << u"00"_s;
    QTest::newRow("hex 00F") << u"00F"_s << false << u"0F"_s;
    QTest::newRow("hex 0ff") << u"0ff"_s << false << u"FF"_s;
    QTest::newRow("hex 000a0") << u"000a0"_s << false << u"A0"_s;
}

void TestPreviewPage::colourText()
{
    QFETCH(QString, field);
    QFETCH(bool, decimalNotation);
    QFETCH(QString, expected);
    QCOMPARE(PreviewPage::colourText(field, decimalNotation), expected);
}

void TestPreviewPage::pageText_data()
{
    QTest::addColumn<QStringList>("colourTexts");
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("expected");

    QTest::newRow("orange")
        << QStringList{u"FF"_s, u"80"_s, u"00"_s} << u"<FONT COLOR=\"#FF0000\">a</FONT>"_s
        << u"<HTML>\r\n<HEAD><TITLE>Huespanプレビュー</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#FF8000\">\r\n"
           u"<FONT COLOR=\"#FF0000\">a</FONT>\r\n</BODY>\r\n</HTML>"_s;
    QTest::newRow("line breaks in the markup stay")
        << QStringList{u"0a"_s, u"ff"_s, u"00"_s} << u"<B>\r\nx\r\n</B>"_s
        << u"<HTML>\r\n<HEAD><TITLE>Huespanプレビュー</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#0aff00\">\r\n"
           u"<B>\r\nx\r\n</B>\r\n</BODY>\r\n</HTML>"_s;
    QTest::newRow("empty markup") << QStringList{u"00"_s, u"00"_s, u"00"_s} << QString()
                                  << u"<HTML>\r\n<HEAD><TITLE>Huespanプレビュー</TITLE></HEAD>\r\n"
                                     u"<BODY BGCOLOR=\"#000000\">\r\n\r\n</BODY>\r\n</HTML>"_s;
}

void TestPreviewPage::pageText()
{
    QFETCH(QStringList, colourTexts);
    QFETCH(QString, markup);
    QFETCH(QString, expected);
    const QString page = PreviewPage::pageText({colourTexts[0], colourTexts[1], colourTexts[2]}, markup);
    QCOMPARE(page, expected);
    QVERIFY(page.endsWith(u"</HTML>"_s));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestPreviewPage)
#include "TestPreviewPage.moc"
