#include "ui/Twips.h"

#include <QTest>

namespace huespan {

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void lengthsGoToTheNearestPixel_data();
    void lengthsGoToTheNearestPixel();
    void measuredPixelsComeBackWhole_data();
    void measuredPixelsComeBackWhole();
    void wholePixelRectanglesKeepTheirPlace();
};

void TestTwips::lengthsGoToTheNearestPixel_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");

    QTest::newRow("none") << 0.0 << 0;
    QTest::newRow("less than half a pixel") << 7.0 << 0;
    QTest::newRow("half a pixel goes up") << 7.5 << 1;
    QTest::newRow("one and a half go up") << 22.5 << 2;
    QTest::newRow("just over half") << 8.0 << 1;
    QTest::newRow("one pixel") << 15.0 << 1;
    QTest::newRow("the version window's bottom margin") << 200.0 << 13;
    QTest::newRow("a centred label's half-twip left") << 1657.5 << 111;
    QTest::newRow("negative half goes away from zero") << -7.5 << -1;
    QTest::newRow("negative less than half") << -7.0 << 0;
    QTest::newRow("a wide window") << 5100.0 << 340;
}

void TestTwips::lengthsGoToTheNearestPixel()
{
    QFETCH(double, twips);
    QFETCH(int, pixels);

    QCOMPARE(Twips::toPixels(twips), pixels);
}

void TestTwips::measuredPixelsComeBackWhole_data()
{
    QTest::addColumn<int>("pixels");

    QTest::newRow("zero") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("a label's height") << 13;
    QTest::newRow("a screen's width") << 3840;
    QTest::newRow("off the left edge") << -20;
}

void TestTwips::measuredPixelsComeBackWhole()
{
    QFETCH(int, pixels);

    const double twips = Twips::fromPixels(pixels);
    QCOMPARE(twips, pixels * 15.0);
    QCOMPARE(Twips::toPixels(twips), pixels);
    // Half of a measured width, as centring takes it, lands on the pixel a half rounds to.
    QCOMPARE(Twips::toPixels(twips / 2), (pixels >= 0 ? pixels + 1 : pixels - 1) / 2);
}

void TestTwips::wholePixelRectanglesKeepTheirPlace()
{
    QCOMPARE(Twips::rect(120, 240, 4935, 270), QRect(8, 16, 329, 18));
    QCOMPARE(Twips::size(5430, 4920), QSize(362, 328));
    // Between pixels, rectangles follow the same rounding as every other length.
    QCOMPARE(Twips::rect(7, 8, 22, 23), QRect(0, 1, 1, 2));
}

} // namespace huespan

QTEST_MAIN(huespan::TestTwips)
#include "TestTwips.moc"
