#include "ColourSpace.h"
#include "ContrastFloor.h"
#include "GamutMapping.h"
#include "SrgbEncoder.h"
#include "UnitColours.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace huespan {

// The contrast of WCAG 2 against its published figures, and the contrast floor on random
// gradients against random backgrounds: a unit keeps its colour exactly when it reaches the floor,
// otherwise it reaches the floor in its own hue or, where no lightness of the hue can, takes the
// most contrast there is and is counted.
class TestContrastFloor : public QObject
{
    Q_OBJECT

private slots:
    void publishedRatios_data();
    void publishedRatios();
    void floorOnRandomGradients();
};

void TestContrastFloor::publishedRatios_data()
{
    QTest::addColumn<ColourTriple>("text");
    QTest::addColumn<ColourTriple>("background");
    QTest::addColumn<double>("published");

    const ColourTriple white{255, 255, 255};
    const ColourTriple black{0, 0, 0};
    // The grey pair that tools quote either side of 4.5:1, and the extremes.
    QTest::newRow("#777777 on white") << ColourTriple{0x77, 0x77, 0x77} << white << 4.48;
    QTest::newRow("#767676 on white") << ColourTriple{0x76, 0x76, 0x76} << white << 4.54;
    QTest::newRow("white on #767676") << white << ColourTriple{0x76, 0x76, 0x76} << 4.54;
    QTest::newRow("black on white") << black << white << 21.0;
    QTest::newRow("one colour") << ColourTriple{12, 200, 99} << ColourTriple{12, 200, 99} << 1.0;
    QTest::newRow("red on white") << ColourTriple{255, 0, 0} << white << 4.0;
    QTest::newRow("blue on white") << ColourTriple{0, 0, 255} << white << 8.59;
    QTest::newRow("lime on black") << ColourTriple{0, 255, 0} << black << 15.3;
    QTest::newRow("yellow on white") << ColourTriple{255, 255, 0} << white << 1.07;
    QTest::newRow("#595959 on white") << ColourTriple{0x59, 0x59, 0x59} << white << 7.0;
}

void TestContrastFloor::publishedRatios()
{
    QFETCH(ColourTriple, text);
    QFETCH(ColourTriple, background);
    QFETCH(double, published);

    // Published to two decimals.
    QVERIFY2(std::abs(Contrast::ratio(text, background) - published) < 0.005,
             qPrintable(QString::number(Contrast::ratio(text, background), 'f', 4)));
}

namespace {

ColourTriple randomColour(QRandomGenerator& random)
{
    const auto component = [&random] { return static_cast<qint16>(random.bounded(256)); };
    return {component(), component(), component()};
}

ColourCoordinates oklchOf(const ColourTriple& colour)
{
    const ColourCoordinates linear{srgbToLinear(colour.red / 255.0), srgbToLinear(colour.green / 255.0),
                                   srgbToLinear(colour.blue / 255.0)};
    return oklabToOklch(linearSrgbToOklab(linear));
}

size_t firstMoved(const std::vector<ColourTriple>& colours, const ContrastFloor& floor)
{
    for (size_t unit = 0; unit < colours.size(); ++unit) {
        if (Contrast::ratio(colours[unit], floor.background) < floor.ratio)
            return unit;
    }
    return colours.size();
}

double hueDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// How far from its hue a colour of this chroma may lie, in degrees: the gamut mapping takes the
// clipped colour within its just-noticeable difference (0.02 in OKLab) of the hue, and rounding
// to 8 bits moves it by up to about 0.004 more.
double hueAllowance(double chroma)
{
    return std::atan2(justNoticeableDifference + 0.004, chroma) * 180.0 / M_PI;
}

// The least lightness change, in steps of 0.001, that makes the colour's hue reach the floor,
// darker or lighter: a plain walk where the floor halves intervals. Infinity where neither can.
double leastChange(const ColourTriple& colour, const ContrastFloor& floor)
{
    const ColourCoordinates start = oklchOf(colour);
    double least = std::numeric_limits<double>::infinity();
    for (const double step : {-0.001, 0.001}) {
        for (int k = 1; k <= 1000; ++k) {
            const double lightness = std::clamp(start[0] + k * step, 0.0, 1.0);
            const ColourCoordinates linear = mapOklchIntoSrgb({lightness, start[1], start[2]});
            const ColourTriple seen{SrgbEncoder::encode(linear[0]), SrgbEncoder::encode(linear[1]),
                                    SrgbEncoder::encode(linear[2])};
            if (Contrast::ratio(seen, floor.background) >= floor.ratio) {
                least = std::min(least, std::abs(lightness - start[0]));
                break;
            }
            if (lightness == 0.0 || lightness == 1.0)
                break;
        }
    }
    return least;
}

} // namespace

void TestContrastFloor::floorOnRandomGradients()
{
    QRandomGenerator random(20261207u);
    const ColourSpace spaces[] = {ColourSpace::Srgb, ColourSpace::LinearSrgb, ColourSpace::Oklab,
                                  ColourSpace::Oklch, ColourSpace::Hsl};
    const double levels[] = {Contrast::kLargeText, Contrast::kText, Contrast::kEnhanced};
    int moved = 0;
    int shortOfTheFloor = 0;
    for (int round = 0; round < 400; ++round) {
        GradientSettings settings;
        const int stopCount = 2 + random.bounded(3);
        for (int stop = 0; stop < stopCount; ++stop)
            settings.extended.stops.push_back({randomColour(random), std::nullopt});
        settings.extended.space = spaces[random.bounded(5)];
        const ContrastFloor floor{random.bounded(4) == 0 ? 1.0 + random.bounded(20.0)
                                                         : levels[random.bounded(3)],
                                  randomColour(random)};
        const int n = 2 + random.bounded(120);

        const std::vector<ColourTriple> free = UnitColours::schedule(settings, n);
        settings.extended.contrastFloor = floor;
        const std::vector<ColourTriple> kept = UnitColours::schedule(settings, n);
        QCOMPARE(kept.size(), free.size());

        const ColourTriple black{0, 0, 0};
        const ColourTriple white{255, 255, 255};
        const double mostContrast =
            std::max(Contrast::ratio(black, floor.background), Contrast::ratio(white, floor.background));
        for (size_t unit = 0; unit < kept.size(); ++unit) {
            const QString where = u"round %1, unit %2, floor %3 on #%4%5%6"_s.arg(round)
                                      .arg(unit)
                                      .arg(floor.ratio)
                                      .arg(int(floor.background.red), 2, 16, QLatin1Char('0'))
                                      .arg(int(floor.background.green), 2, 16, QLatin1Char('0'))
                                      .arg(int(floor.background.blue), 2, 16, QLatin1Char('0'));
            if (Contrast::ratio(free[unit], floor.background) >= floor.ratio) {
                QVERIFY2(kept[unit] == free[unit], qPrintable(where));
                continue;
            }
            ++moved;
            if (Contrast::ratio(kept[unit], floor.background) < floor.ratio) {
                // Short of the floor: only where even black or white cannot reach it, and then
                // with the most contrast there is.
                ++shortOfTheFloor;
                QVERIFY2(mostContrast < floor.ratio, qPrintable(where));
                QVERIFY2(Contrast::ratio(kept[unit], floor.background) == mostContrast, qPrintable(where));
                continue;
            }
            const ColourCoordinates before = oklchOf(free[unit]);
            const ColourCoordinates after = oklchOf(kept[unit]);
            // The nearer way, as far as a walk in steps of 0.001 can tell (first moved unit of a
            // round only: the walk is slow).
            if (unit == firstMoved(free, floor)) {
                const double change = std::abs(oklchOf(kept[unit])[0] - before[0]);
                QVERIFY2(change <= leastChange(free[unit], floor) + 0.0015,
                         qPrintable(where + u": lightness moved %1, %2 would do"_s.arg(change).arg(
                                                leastChange(free[unit], floor))));
            }
            if (before[1] > 0.03 && after[1] > 0.03) {
                QVERIFY2(
                    hueDistance(before[2], after[2]) <= hueAllowance(after[1]),
                    qPrintable(where + u": hue %1 became %2 (chroma %3 to %4, L %5 to %6)"_s.arg(before[2])
                                           .arg(after[2])
                                           .arg(before[1])
                                           .arg(after[1])
                                           .arg(before[0])
                                           .arg(after[0])));
            }
        }
    }
    // The rounds reach both sides of the rule.
    QVERIFY(moved > 1000);
    QVERIFY(shortOfTheFloor > 0);
}

} // namespace huespan

QTEST_APPLESS_MAIN(huespan::TestContrastFloor)
#include "TestContrastFloor.moc"
