#include "ColourSpace.h"
#include "ColourStop.h"
#include "ColourValues.h"
#include "GradientPresets.h"
#include "SettingNames.h"
#include "StopGradient.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(huespan::ColourSpace)
Q_DECLARE_METATYPE(huespan::HueInterpolation)

namespace huespan {

namespace {

using Positions = QList<double>;
constexpr double missing = -1.0; // a stop without a position, in the tables below

const std::array allSpaces{ColourSpace::Srgb, ColourSpace::LinearSrgb, ColourSpace::Oklab, ColourSpace::Oklch,
                           ColourSpace::Hsl};
const std::array allHues{HueInterpolation::Shorter, HueInterpolation::Longer, HueInterpolation::Increasing,
                         HueInterpolation::Decreasing};

ColourTriple triple(unsigned rgb)
{
    return {qint16((rgb >> 16) & 0xFF), qint16((rgb >> 8) & 0xFF), qint16(rgb & 0xFF)};
}

// Stops of colours 1, 2, 3, ... (as blue components) at the given positions.
std::vector<ColourStop> numberedStops(const Positions& positions)
{
    std::vector<ColourStop> stops;
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const double p = positions[i];
        stops.push_back({ColourTriple{0, 0, qint16(i + 1)}, p == missing ? std::nullopt : std::optional(p)});
    }
    return stops;
}

Positions positionsOf(const std::vector<ColourStop>& stops)
{
    Positions positions;
    for (const ColourStop& stop : stops)
        positions.append(stop.position.value_or(missing));
    return positions;
}

QList<int> numbersOf(const std::vector<ColourStop>& stops)
{
    QList<int> numbers;
    for (const ColourStop& stop : stops)
        numbers.append(stop.colour.blue);
    return numbers;
}

QString code(const ColourTriple& colour)
{
    return ColourCode(colour);
}

ColourTriple randomColour(QRandomGenerator& random)
{
    // Now and then a component at an end of its range, where the gamut's faces lie.
    const auto component = [&random] {
        const int roll = random.bounded(10);
        return qint16(roll == 0 ? 0 : roll == 1 ? 255 : random.bounded(256));
    };
    return {component(), component(), component()};
}

std::vector<ColourStop> randomStops(QRandomGenerator& random)
{
    std::vector<ColourStop> stops;
    const int count = 2 + random.bounded(5);
    for (int i = 0; i < count; ++i) {
        std::optional<double> position;
        const int roll = random.bounded(4);
        if (roll == 0)
            position = random.bounded(101); // whole percentages, often shared or out of order
        else if (roll == 1)
            position = random.generateDouble() * 100.0;
        stops.push_back({randomColour(random), position});
    }
    return stops;
}

} // namespace

class TestStopGradient : public QObject
{
    Q_OBJECT

private slots:
    void positionsAreResolved_data();
    void positionsAreResolved();
    void mirroring_data();
    void mirroring();
    void reversing();
    void twoSrgbStopsGiveTodaysArithmetic_data();
    void twoSrgbStopsGiveTodaysArithmetic();
    void unitsOnStopsTakeTheHoldingStop();
    void allStopsAtOnePlace();
    void unitColoursEqualTheStraightPath();
    void longTextsEqualTheStraightPath_data();
    void longTextsEqualTheStraightPath();
    void colourAtAgreesWithUnitColours();
    void fewUnits();
    void sharedPositionsChangeAtOnce();
    void hslHueRulesBetweenRedAndBlue_data();
    void hslHueRulesBetweenRedAndBlue();
    void oklchHueRulesChooseTheWayRound();
    void achromaticStopTakesTheOtherHue();
    void vividOklchStretchIsGamutMapped();
    void rainbowHueRunsWithThePosition();
};

void TestStopGradient::positionsAreResolved_data()
{
    QTest::addColumn<Positions>("given");
    QTest::addColumn<Positions>("resolved");
    const double m = missing;
    QTest::newRow("all missing, two") << Positions{m, m} << Positions{0, 100};
    QTest::newRow("all missing, five") << Positions{m, m, m, m, m} << Positions{0, 25, 50, 75, 100};
    QTest::newRow("CSS example: middle spread") << Positions{m, 30, m, m} << Positions{0, 30, 65, 100};
    QTest::newRow("run between positioned stops")
        << Positions{10, m, m, m, 50} << Positions{10, 20, 30, 40, 50};
    QTest::newRow("lower position raised") << Positions{50, 20, m} << Positions{50, 50, 100};
    QTest::newRow("raised before spreading") << Positions{m, 80, m, 40, m} << Positions{0, 80, 80, 80, 100};
    QTest::newRow("clamped below and above") << Positions{-10, 150} << Positions{0, 100};
    QTest::newRow("clamped then raised") << Positions{120, m, -5} << Positions{100, 100, 100};
    QTest::newRow("first and last given") << Positions{20, m, 60} << Positions{20, 40, 60};
    QTest::newRow("decimals kept") << Positions{m, 12.5, m} << Positions{0, 12.5, 100};
    QTest::newRow("not a number is missing")
        << Positions{m, std::numeric_limits<double>::quiet_NaN(), m} << Positions{0, 50, 100};
}

void TestStopGradient::positionsAreResolved()
{
    QFETCH(Positions, given);
    QFETCH(Positions, resolved);
    const std::vector<ColourStop> stops = resolveStopPositions(numberedStops(given));
    QCOMPARE(positionsOf(stops), resolved);
    QCOMPARE(numbersOf(stops), numbersOf(numberedStops(given)));
    // Resolving again changes nothing.
    QCOMPARE(resolveStopPositions(stops), stops);
}

void TestStopGradient::mirroring_data()
{
    QTest::addColumn<Positions>("given");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<Positions>("mirrored");
    const double m = missing;
    QTest::newRow("A, B, C") << Positions{m, m, m} << QList<int>{1, 2, 3, 2, 1}
                             << Positions{0, 25, 50, 75, 100};
    QTest::newRow("two stops") << Positions{m, m} << QList<int>{1, 2, 1} << Positions{0, 50, 100};
    QTest::newRow("last stop short of the end")
        << Positions{0, 40, 80} << QList<int>{1, 2, 3, 3, 2, 1} << Positions{0, 20, 40, 60, 80, 100};
    QTest::newRow("first stop after the start")
        << Positions{20, 100} << QList<int>{1, 2, 1} << Positions{10, 50, 90};
}

void TestStopGradient::mirroring()
{
    QFETCH(Positions, given);
    QFETCH(QList<int>, numbers);
    QFETCH(Positions, mirrored);
    const std::vector<ColourStop> stops = mirroredStops(resolveStopPositions(numberedStops(given)));
    QCOMPARE(numbersOf(stops), numbers);
    QCOMPARE(positionsOf(stops), mirrored);
}

void TestStopGradient::reversing()
{
    const std::vector<ColourStop> stops =
        reversedStops(resolveStopPositions(numberedStops({missing, 30, missing})));
    QCOMPARE(numbersOf(stops), (QList<int>{3, 2, 1}));
    QCOMPARE(positionsOf(stops), (Positions{0, 70, 100}));
    QCOMPARE(reversedStops(stops), resolveStopPositions(numberedStops({missing, 30, missing})));
}

void TestStopGradient::twoSrgbStopsGiveTodaysArithmetic_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("pairs");
    QTest::newRow("short texts") << QList<int>{2, 3, 4, 5, 6, 7, 9, 10, 11, 17, 64, 100, 101} << 60;
    QTest::newRow("middle texts") << QList<int>{255, 256, 257, 511, 1000, 4097, 8000, 8001} << 12;
    // Beyond 8000 the narrowing to single precision and seven digits decides some halves.
    QTest::newRow("long texts") << QList<int>{8002, 9198, 10002, 16385, 32767} << 4;
}

void TestStopGradient::twoSrgbStopsGiveTodaysArithmetic()
{
    QFETCH(QList<int>, counts);
    QFETCH(int, pairs);
    QRandomGenerator random(counts.front());
    std::vector<ColourTriple> colours;
    for (int pair = 0; pair < pairs; ++pair) {
        // The first pair runs 0 to 255 in every component, where the half-way cases lie.
        const ColourTriple first = pair == 0 ? ColourTriple{0, 255, 0} : randomColour(random);
        const ColourTriple second = pair == 0 ? ColourTriple{255, 0, 255} : randomColour(random);
        const StopGradient gradient({{first, {}}, {second, {}}}, ColourSpace::Srgb,
                                    HueInterpolation::Shorter);
        for (const int n : counts) {
            gradient.unitColours(n, colours);
            QCOMPARE(colours.size(), std::size_t(n));
            for (int i = 0; i < n; ++i) {
                const ColourTriple expected =
                    i == 0 ? first
                    : i == n - 1
                        ? second
                        : ColourTriple{
                              InterpolateComponent(first.red, qint16(second.red - first.red), i, n - 1),
                              InterpolateComponent(first.green, qint16(second.green - first.green), i, n - 1),
                              InterpolateComponent(first.blue, qint16(second.blue - first.blue), i, n - 1)};
                if (colours[i] != expected) {
                    QFAIL(qPrintable(
                        u"%1 to %2, unit %3 of %4: %5, expected %6"_s.arg(code(first), code(second))
                            .arg(i)
                            .arg(n)
                            .arg(code(colours[i]), code(expected))));
                }
            }
        }
    }
}

void TestStopGradient::unitsOnStopsTakeTheHoldingStop()
{
    // CSS Images, written plainly: before the first stop its colour, after the last stop its
    // colour, and on a position that stops share the later of them (the earlier, for a gradient
    // read backwards). Elsewhere the colour lies between two stops and is not the rule's.
    const auto heldStop = [](const std::vector<ColourStop>& stops, double unit, double span,
                             bool laterHolds) -> std::optional<std::size_t> {
        std::vector<std::size_t> here;
        for (std::size_t k = 0; k < stops.size(); ++k) {
            if (*stops[k].position * span / 100.0 == unit)
                here.push_back(k);
        }
        if (here.size() > 1)
            return laterHolds ? here.back() : here.front();
        if (unit < *stops.front().position * span / 100.0 || unit == 0.0)
            return 0;
        if (unit > *stops.back().position * span / 100.0 || unit == span)
            return stops.size() - 1;
        return std::nullopt;
    };
    QRandomGenerator random(5);
    std::vector<ColourTriple> colours;
    int sharedChecked = 0;
    for (int i = 0; i < 600; ++i) {
        const std::vector<ColourStop> stops = resolveStopPositions(randomStops(random));
        const ColourSpace space = allSpaces[random.bounded(int(allSpaces.size()))];
        const HueInterpolation hue = allHues[random.bounded(int(allHues.size()))];
        const bool laterHolds = random.bounded(2) == 0;
        const StopGradient gradient(stops, space, hue,
                                    laterHolds ? StopGradient::SharedPosition::LaterStopHolds
                                               : StopGradient::SharedPosition::EarlierStopHolds);
        // 101 and 201 units put every whole percentage on a unit.
        const std::array counts{2, 101, 201, 2 + int(random.bounded(3000))};
        const int n = counts[random.bounded(int(counts.size()))];
        gradient.unitColours(n, colours);
        for (int unit = 0; unit < n; ++unit) {
            const std::optional<std::size_t> held = heldStop(stops, unit, n - 1, laterHolds);
            if (!held)
                continue;
            QCOMPARE(code(colours[unit]), code(stops[*held].colour));
            QCOMPARE(code(gradient.unitColour(unit, n)), code(stops[*held].colour));
            sharedChecked += std::count_if(stops.begin(), stops.end(), [&](const ColourStop& stop) {
                                 return *stop.position * (n - 1) / 100.0 == unit;
                             }) > 1;
        }
        for (const double percent : {0.0, 100.0}) {
            const std::size_t held = *heldStop(stops, percent, 100.0, laterHolds);
            QCOMPARE(code(gradient.colourAt(percent)), code(stops[held].colour));
        }
    }
    QVERIFY(sharedChecked > 0);
}

void TestStopGradient::allStopsAtOnePlace()
{
    // Every stop at 100: all but the last unit take the first colour, the last unit the last.
    const StopGradient gradient(
        {{triple(0x112233), 100.0}, {triple(0x445566), 100.0}, {triple(0x778899), 100.0}}, ColourSpace::Oklch,
        HueInterpolation::Shorter);
    std::vector<ColourTriple> colours;
    gradient.unitColours(4, colours);
    QCOMPARE(colours, (std::vector{triple(0x112233), triple(0x112233), triple(0x112233), triple(0x778899)}));
    QCOMPARE(gradient.unitColour(3, 4), triple(0x778899));
    // Every stop at 0: the later stop holds from 0 on, the first unit included.
    const StopGradient atStart({{triple(0x112233), 0.0}, {triple(0x445566), 0.0}}, ColourSpace::Oklab,
                               HueInterpolation::Shorter);
    atStart.unitColours(3, colours);
    QCOMPARE(colours, (std::vector{triple(0x445566), triple(0x445566), triple(0x445566)}));
    QCOMPARE(atStart.unitColour(0, 3), triple(0x445566));
    // Read backwards, the earlier of them holds.
    const StopGradient backwards({{triple(0x112233), 0.0}, {triple(0x445566), 0.0}}, ColourSpace::Oklab,
                                 HueInterpolation::Shorter, StopGradient::SharedPosition::EarlierStopHolds);
    backwards.unitColours(3, colours);
    QCOMPARE(colours, (std::vector{triple(0x112233), triple(0x445566), triple(0x445566)}));
}

void TestStopGradient::unitColoursEqualTheStraightPath()
{
    QRandomGenerator random(11);
    std::vector<ColourTriple> colours;
    for (int i = 0; i < 250; ++i) {
        const ColourSpace space = allSpaces[i % allSpaces.size()];
        const HueInterpolation hue = allHues[random.bounded(int(allHues.size()))];
        const StopGradient gradient(randomStops(random), space, hue);
        const int n = random.bounded(4) == 0 ? 1 + random.bounded(20) : 2 + random.bounded(1500);
        gradient.unitColours(n, colours);
        QCOMPARE(colours.size(), std::size_t(n));
        for (int unit = 0; unit < n; ++unit) {
            const ColourTriple straight = gradient.unitColour(unit, n);
            if (colours[unit] != straight) {
                QFAIL(qPrintable(u"%1 unit %2 of %3: quick %4, straight %5"_s.arg(nameOf(space))
                                     .arg(unit)
                                     .arg(n)
                                     .arg(code(colours[unit]), code(straight))));
            }
        }
    }
}

void TestStopGradient::longTextsEqualTheStraightPath_data()
{
    // Long texts, where many units in a row share a colour and the quick path fills them without
    // computing each.
    QTest::addColumn<ColourSpace>("space");
    QTest::addColumn<QList<unsigned>>("colours");
    QTest::addColumn<int>("count");
    const QList<unsigned> inside{0x1E1E5A, 0x6A3093, 0xE96443, 0xFFC371, 0x2C5364};
    const QList<unsigned> pastel{0xFFB3BA, 0xFFDFBA, 0xFFFFBA, 0xBAFFC9, 0xBAE1FF};
    const QList<unsigned> vivid{0xFF0000, 0xFFFF00, 0x00FF00, 0x0000FF, 0xFF00FF};
    const QList<unsigned> dark{0x000000, 0x050A02, 0x000000, 0x0A0010};
    QTest::newRow("oklch inside") << ColourSpace::Oklch << inside << 32767;
    QTest::newRow("oklch pastel") << ColourSpace::Oklch << pastel << 20011;
    QTest::newRow("oklch vivid") << ColourSpace::Oklch << vivid << 9001;
    QTest::newRow("oklch dark") << ColourSpace::Oklch << dark << 32767;
    QTest::newRow("oklab inside") << ColourSpace::Oklab << inside << 32767;
    QTest::newRow("oklab vivid") << ColourSpace::Oklab << vivid << 25000;
    QTest::newRow("linear vivid") << ColourSpace::LinearSrgb << vivid << 32767;
    QTest::newRow("linear dark") << ColourSpace::LinearSrgb << dark << 30000;
}

void TestStopGradient::longTextsEqualTheStraightPath()
{
    QFETCH(ColourSpace, space);
    QFETCH(QList<unsigned>, colours);
    QFETCH(int, count);
    std::vector<ColourStop> stops;
    for (const unsigned rgb : colours)
        stops.push_back({triple(rgb), {}});
    for (const HueInterpolation hue : {HueInterpolation::Shorter, HueInterpolation::Longer}) {
        const StopGradient gradient(stops, space, hue);
        std::vector<ColourTriple> quick;
        gradient.unitColours(count, quick);
        for (int unit = 0; unit < count; ++unit) {
            const ColourTriple straight = gradient.unitColour(unit, count);
            if (quick[unit] != straight) {
                QFAIL(qPrintable(
                    u"unit %1: quick %2, straight %3"_s.arg(unit).arg(code(quick[unit]), code(straight))));
            }
        }
        if (!isPolar(space))
            break;
    }
}

void TestStopGradient::colourAtAgreesWithUnitColours()
{
    // colourAt places a unit by its percentage rather than its index, which may round the last
    // place differently: never by more than one step of a component.
    QRandomGenerator random(12);
    std::vector<ColourTriple> colours;
    for (int i = 0; i < 100; ++i) {
        const StopGradient gradient(randomStops(random), allSpaces[i % allSpaces.size()],
                                    HueInterpolation::Shorter);
        const int n = 2 + random.bounded(500);
        gradient.unitColours(n, colours);
        for (int unit = 0; unit < n; ++unit) {
            const ColourTriple at = gradient.colourAt(100.0 * unit / (n - 1));
            QVERIFY(std::abs(at.red - colours[unit].red) <= 1);
            QVERIFY(std::abs(at.green - colours[unit].green) <= 1);
            QVERIFY(std::abs(at.blue - colours[unit].blue) <= 1);
        }
    }
}

void TestStopGradient::fewUnits()
{
    const StopGradient gradient({{triple(0x102030), {}}, {triple(0xA0B0C0), {}}}, ColourSpace::Oklch,
                                HueInterpolation::Shorter);
    std::vector<ColourTriple> colours{triple(0xFFFFFF)};
    gradient.unitColours(0, colours);
    QVERIFY(colours.empty());
    gradient.unitColours(1, colours);
    QCOMPARE(colours, std::vector{triple(0x102030)});
    gradient.unitColours(2, colours);
    QCOMPARE(colours, (std::vector{triple(0x102030), triple(0xA0B0C0)}));
    QCOMPARE(gradient.unitColour(0, 1), triple(0x102030));

    // Fewer than two stops still make a gradient, of one colour.
    std::vector<ColourTriple> single;
    StopGradient({{triple(0x123456), {}}}, ColourSpace::Oklab, HueInterpolation::Shorter)
        .unitColours(5, single);
    QCOMPARE(single, std::vector<ColourTriple>(5, triple(0x123456)));
    StopGradient({}, ColourSpace::Oklab, HueInterpolation::Shorter).unitColours(3, single);
    QCOMPARE(single, std::vector<ColourTriple>(3, triple(0x000000)));
}

void TestStopGradient::sharedPositionsChangeAtOnce()
{
    // Black up to the middle, white after it; the unit on the shared position takes the later stop.
    const StopGradient gradient({{triple(0x000000), 0.0},
                                 {triple(0x000000), 50.0},
                                 {triple(0xFFFFFF), 50.0},
                                 {triple(0xFFFFFF), 100.0}},
                                ColourSpace::Oklab, HueInterpolation::Shorter);
    std::vector<ColourTriple> colours;
    gradient.unitColours(5, colours);
    QCOMPARE(colours, (std::vector{triple(0x000000), triple(0x000000), triple(0xFFFFFF), triple(0xFFFFFF),
                                   triple(0xFFFFFF)}));
    // Before the first stop and after the last, their colours hold.
    const StopGradient inner({{triple(0xFF0000), 25.0}, {triple(0x0000FF), 75.0}}, ColourSpace::Srgb,
                             HueInterpolation::Shorter);
    inner.unitColours(9, colours);
    QCOMPARE(colours[0], triple(0xFF0000));
    QCOMPARE(colours[2], triple(0xFF0000));
    QCOMPARE(colours[4], triple(0x800080));
    QCOMPARE(colours[6], triple(0x0000FF));
    QCOMPARE(colours[8], triple(0x0000FF));
}

void TestStopGradient::hslHueRulesBetweenRedAndBlue_data()
{
    QTest::addColumn<HueInterpolation>("hue");
    QTest::addColumn<QString>("middle");
    // Red has hue 0, blue 240: the short way passes magenta (300), the long way green (120).
    QTest::newRow("shorter") << HueInterpolation::Shorter << u"FF00FF"_s;
    QTest::newRow("longer") << HueInterpolation::Longer << u"00FF00"_s;
    QTest::newRow("increasing") << HueInterpolation::Increasing << u"00FF00"_s;
    QTest::newRow("decreasing") << HueInterpolation::Decreasing << u"FF00FF"_s;
}

void TestStopGradient::hslHueRulesBetweenRedAndBlue()
{
    QFETCH(HueInterpolation, hue);
    QFETCH(QString, middle);
    const StopGradient gradient({{triple(0xFF0000), {}}, {triple(0x0000FF), {}}}, ColourSpace::Hsl, hue);
    std::vector<ColourTriple> colours;
    gradient.unitColours(3, colours);
    QCOMPARE(code(colours[1]), middle);
}

void TestStopGradient::oklchHueRulesChooseTheWayRound()
{
    // Red (hue 29) to blue (hue 264): the short way runs through purple, the long way through
    // yellow and green.
    std::vector<ColourTriple> colours;
    StopGradient({{triple(0xFF0000), {}}, {triple(0x0000FF), {}}}, ColourSpace::Oklch,
                 HueInterpolation::Shorter)
        .unitColours(3, colours);
    QVERIFY(colours[1].green < colours[1].red && colours[1].green < colours[1].blue);
    StopGradient({{triple(0xFF0000), {}}, {triple(0x0000FF), {}}}, ColourSpace::Oklch,
                 HueInterpolation::Longer)
        .unitColours(3, colours);
    QVERIFY(colours[1].green > colours[1].red && colours[1].green > colours[1].blue);
}

void TestStopGradient::achromaticStopTakesTheOtherHue()
{
    // White has no hue; the way to blue keeps blue's hue instead of sweeping from hue 0.
    std::vector<ColourTriple> colours;
    for (const HueInterpolation hue : {HueInterpolation::Shorter, HueInterpolation::Increasing}) {
        StopGradient({{triple(0xFFFFFF), {}}, {triple(0x0000FF), {}}}, ColourSpace::Oklch, hue)
            .unitColours(50, colours);
        for (const ColourTriple& colour : colours) {
            const ColourCoordinates oklch = srgbToSpace(
                ColourSpace::Oklch, {colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0});
            // Pale colours carry their hue coarsely in 8 bits; a sweep from hue 0 would be far off.
            if (oklch[1] > 0.03)
                QVERIFY2(std::fabs(oklch[2] - 264.05) < 10.0, qPrintable(code(colour)));
        }
    }
}

void TestStopGradient::vividOklchStretchIsGamutMapped()
{
    // Half way from lime to blue in OKLCH lies a cyan far outside sRGB: mapped, it keeps its hue
    // (about 203) much better than clipping would.
    const StopGradient gradient({{triple(0x00FF00), {}}, {triple(0x0000FF), {}}}, ColourSpace::Oklch,
                                HueInterpolation::Shorter);
    std::vector<ColourTriple> colours;
    gradient.unitColours(3, colours);
    const ColourCoordinates lime = srgbToSpace(ColourSpace::Oklch, {0, 1, 0});
    const ColourCoordinates blue = srgbToSpace(ColourSpace::Oklch, {0, 0, 1});
    const ColourCoordinates middle{(lime[0] + blue[0]) / 2, (lime[1] + blue[1]) / 2, (lime[2] + blue[2]) / 2};
    const ColourCoordinates raw = oklabToLinearSrgb(oklchToOklab(middle));
    QVERIFY(std::ranges::any_of(raw, [](double c) { return c < -0.01 || c > 1.01; }));
    const ColourTriple mapped = colours[1];
    const ColourCoordinates mappedOklch =
        srgbToSpace(ColourSpace::Oklch, {mapped.red / 255.0, mapped.green / 255.0, mapped.blue / 255.0});
    QVERIFY2(std::fabs(mappedOklch[2] - middle[2]) < 5.0, qPrintable(code(mapped)));
}

void TestStopGradient::rainbowHueRunsWithThePosition()
{
    const GradientPreset rainbow = rainbowGradient();
    const StopGradient gradient(rainbow.stops, rainbow.space, rainbow.hue);
    std::vector<ColourTriple> colours;
    const int n = 721;
    gradient.unitColours(n, colours);
    for (int i = 0; i < n; ++i) {
        const ColourTriple& c = colours[i];
        const ColourCoordinates hsl = srgbToHsl({c.red / 255.0, c.green / 255.0, c.blue / 255.0});
        const double expected = std::fmod(360.0 * i / (n - 1), 360.0);
        const double d = std::fmod(std::fabs(hsl[0] - expected), 360.0);
        // An 8-bit component moves the hue by at most 60 / 255 degrees.
        QVERIFY2(std::min(d, 360.0 - d) < 0.5, qPrintable(u"unit %1: %2"_s.arg(i).arg(code(c))));
        QVERIFY(std::fabs(hsl[1] - 1.0) < 1e-9);
        QVERIFY(std::fabs(hsl[2] - 0.5) < 0.003);
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestStopGradient)
#include "TestStopGradient.moc"
