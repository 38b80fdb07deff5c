#include "ColourSpace.h"
#include "CssUnitWriter.h"
#include "GamutMapping.h"
#include "SettingNames.h"
#include "SrgbEncoder.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(huespan::ColourSpace)
Q_DECLARE_METATYPE(huespan::HueInterpolation)

namespace huespan {

namespace {

QString describe(const ColourCoordinates& c)
{
    return u"(%1, %2, %3)"_s.arg(c[0], 0, 'g', 8).arg(c[1], 0, 'g', 8).arg(c[2], 0, 'g', 8);
}

bool near(const ColourCoordinates& actual, const ColourCoordinates& expected, double tolerance)
{
    for (int i = 0; i < 3; ++i) {
        if (std::isnan(expected[i]) != std::isnan(actual[i]))
            return false;
        if (!std::isnan(expected[i]) && std::fabs(actual[i] - expected[i]) > tolerance)
            return false;
    }
    return true;
}

double hueDifference(double first, double second)
{
    const double d = std::fmod(std::fabs(first - second), 360.0);
    return std::min(d, 360.0 - d);
}

// The gamut mapping of CSS Color 4 written out as its sample code has it, with nothing taken
// out of the loop: the colour converted to gamma-encoded sRGB, clipped there and converted back
// for every distance, with the library's cube roots.
ColourCoordinates referenceGamutMapping(ColourCoordinates origin)
{
    const auto toSrgb = [](const ColourCoordinates& oklch) {
        const ColourCoordinates linear = oklabToLinearSrgb(oklchToOklab(oklch));
        return ColourCoordinates{linearToSrgb(linear[0]), linearToSrgb(linear[1]), linearToSrgb(linear[2])};
    };
    const auto clip = [](const ColourCoordinates& srgb) {
        return ColourCoordinates{std::clamp(srgb[0], 0.0, 1.0), std::clamp(srgb[1], 0.0, 1.0),
                                 std::clamp(srgb[2], 0.0, 1.0)};
    };
    const auto toOklab = [](const ColourCoordinates& srgb) {
        return linearSrgbToOklab({srgbToLinear(srgb[0]), srgbToLinear(srgb[1]), srgbToLinear(srgb[2])});
    };
    const auto deltaE = [](const ColourCoordinates& a, const ColourCoordinates& b) {
        return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                         (a[2] - b[2]) * (a[2] - b[2]));
    };
    const auto inGamut = [](const ColourCoordinates& srgb) {
        return std::ranges::all_of(srgb, [](double c) { return c >= 0.0 && c <= 1.0; });
    };
    if (origin[0] >= 1.0)
        return {1.0, 1.0, 1.0};
    if (origin[0] <= 0.0)
        return {0.0, 0.0, 0.0};
    if (inGamut(toSrgb(origin)))
        return toSrgb(origin);
    ColourCoordinates current = origin;
    ColourCoordinates clipped = clip(toSrgb(current));
    if (deltaE(toOklab(clipped), oklchToOklab(current)) < 0.02)
        return clipped;
    double min = 0.0;
    double max = origin[1];
    bool minInGamut = true;
    while (max - min > 0.0001) {
        const double chroma = (min + max) / 2.0;
        current[1] = chroma;
        if (minInGamut && inGamut(toSrgb(current))) {
            min = chroma;
            continue;
        }
        clipped = clip(toSrgb(current));
        const double e = deltaE(toOklab(clipped), oklchToOklab(current));
        if (e < 0.02) {
            if (0.02 - e < 0.0001)
                return clipped;
            minInGamut = false;
            min = chroma;
        } else {
            max = chroma;
        }
    }
    return clipped;
}

} // namespace

class TestColourSpace : public QObject
{
    Q_OBJECT

private slots:
    void namesRoundTrip();
    void badNamesAreRefused_data();
    void badNamesAreRefused();
    void cssInterpolationMethods_data();
    void cssInterpolationMethods();
    void conversionsMatchReferenceValues_data();
    void conversionsMatchReferenceValues();
    void hslToSrgbMatchesReferenceValues_data();
    void hslToSrgbMatchesReferenceValues();
    void everySpaceRoundTrips_data();
    void everySpaceRoundTrips();
    void hueRulesAtTheSeam_data();
    void hueRulesAtTheSeam();
    void missingHueTakesTheOther_data();
    void missingHueTakesTheOther();
    void outOfGamutColourIsMappedNotClipped();
    void gamutMappingEnds_data();
    void gamutMappingEnds();
    void gamutMappingMatchesTheLiteralAlgorithm();
};

void TestColourSpace::namesRoundTrip()
{
    for (const ColourSpace space : {ColourSpace::Srgb, ColourSpace::LinearSrgb, ColourSpace::Oklab,
                                    ColourSpace::Oklch, ColourSpace::Hsl})
        QCOMPARE(valueNamed<ColourSpace>(nameOf(space)), space);
    for (const HueInterpolation hue : {HueInterpolation::Shorter, HueInterpolation::Longer,
                                       HueInterpolation::Increasing, HueInterpolation::Decreasing})
        QCOMPARE(valueNamed<HueInterpolation>(nameOf(hue)), hue);
    QCOMPARE(nameOf(ColourSpace::LinearSrgb), u"linear-srgb"_s);
}

void TestColourSpace::badNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("upper case") << u"OKLCH"_s;
    QTest::newRow("trailing blank") << u"oklch "_s;
    QTest::newRow("CSS spelling of linear") << u"srgb-linear"_s;
    QTest::newRow("underscore") << u"linear_srgb"_s;
    QTest::newRow("other space") << u"lab"_s;
    QTest::newRow("hue word") << u"shorter hue"_s;
    QTest::newRow("NUL inside") << u"hsl\0"_s;
}

void TestColourSpace::badNamesAreRefused()
{
    QFETCH(QString, name);
    QVERIFY(!valueNamed<ColourSpace>(name));
    QVERIFY(!valueNamed<HueInterpolation>(name));
}

void TestColourSpace::cssInterpolationMethods_data()
{
    QTest::addColumn<ColourSpace>("space");
    QTest::addColumn<HueInterpolation>("hue");
    QTest::addColumn<QString>("expected");
    QTest::newRow("srgb") << ColourSpace::Srgb << HueInterpolation::Shorter << u"srgb"_s;
    QTest::newRow("srgb ignores hue") << ColourSpace::Srgb << HueInterpolation::Longer << u"srgb"_s;
    QTest::newRow("linear") << ColourSpace::LinearSrgb << HueInterpolation::Shorter << u"srgb-linear"_s;
    QTest::newRow("oklab ignores hue") << ColourSpace::Oklab << HueInterpolation::Decreasing << u"oklab"_s;
    QTest::newRow("oklch shorter is the default")
        << ColourSpace::Oklch << HueInterpolation::Shorter << u"oklch"_s;
    QTest::newRow("oklch longer") << ColourSpace::Oklch << HueInterpolation::Longer << u"oklch longer hue"_s;
    QTest::newRow("hsl increasing") << ColourSpace::Hsl << HueInterpolation::Increasing
                                    << u"hsl increasing hue"_s;
    QTest::newRow("hsl decreasing") << ColourSpace::Hsl << HueInterpolation::Decreasing
                                    << u"hsl decreasing hue"_s;
}

void TestColourSpace::cssInterpolationMethods()
{
    QFETCH(ColourSpace, space);
    QFETCH(HueInterpolation, hue);
    QFETCH(QString, expected);
    QCOMPARE(CssUnitWriter::interpolationMethod(space, hue), expected);
}

void TestColourSpace::conversionsMatchReferenceValues_data()
{
    QTest::addColumn<ColourSpace>("space");
    QTest::addColumn<double>("red");
    QTest::addColumn<double>("green");
    QTest::addColumn<double>("blue");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("third");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // OKLab and OKLCH values as CSS Color 4 gives them for the named colours (red is
    // oklab(0.62796 0.22486 0.12585)); grey 0.5 has L = cbrt(((0.5 + 0.055) / 1.055)^2.4).
    QTest::newRow("red oklab") << ColourSpace::Oklab << 1.0 << 0.0 << 0.0 << 0.62796 << 0.22486 << 0.12585;
    QTest::newRow("lime oklab") << ColourSpace::Oklab << 0.0 << 1.0 << 0.0 << 0.86644 << -0.23389 << 0.17950;
    QTest::newRow("blue oklab") << ColourSpace::Oklab << 0.0 << 0.0 << 1.0 << 0.45201 << -0.03246 << -0.31153;
    QTest::newRow("white oklab") << ColourSpace::Oklab << 1.0 << 1.0 << 1.0 << 1.0 << 0.0 << 0.0;
    QTest::newRow("black oklab") << ColourSpace::Oklab << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("grey oklab") << ColourSpace::Oklab << 0.5 << 0.5 << 0.5 << 0.59818 << 0.0 << 0.0;
    QTest::newRow("red oklch") << ColourSpace::Oklch << 1.0 << 0.0 << 0.0 << 0.62796 << 0.25768 << 29.2339;
    QTest::newRow("blue oklch") << ColourSpace::Oklch << 0.0 << 0.0 << 1.0 << 0.45201 << 0.31321 << 264.052;
    QTest::newRow("lime oklch") << ColourSpace::Oklch << 0.0 << 1.0 << 0.0 << 0.86644 << 0.29483 << 142.4953;
    QTest::newRow("white oklch, hue powerless")
        << ColourSpace::Oklch << 1.0 << 1.0 << 1.0 << 1.0 << 0.0 << nan;
    QTest::newRow("grey oklch, hue powerless")
        << ColourSpace::Oklch << 0.5 << 0.5 << 0.5 << 0.59818 << 0.0 << nan;
    QTest::newRow("red linear") << ColourSpace::LinearSrgb << 1.0 << 0.0 << 0.0 << 1.0 << 0.0 << 0.0;
    QTest::newRow("grey linear") << ColourSpace::LinearSrgb << 0.5 << 0.04045 << 0.02 << 0.21404 << 0.0031308
                                 << 0.0015480;
    QTest::newRow("red hsl") << ColourSpace::Hsl << 1.0 << 0.0 << 0.0 << 0.0 << 1.0 << 0.5;
    QTest::newRow("azure hsl") << ColourSpace::Hsl << 0.0 << 0.5 << 1.0 << 210.0 << 1.0 << 0.5;
    QTest::newRow("steel hsl") << ColourSpace::Hsl << 0.2 << 0.4 << 0.6 << 210.0 << 0.5 << 0.4;
    QTest::newRow("magenta side hsl") << ColourSpace::Hsl << 1.0 << 0.0 << 0.5 << 330.0 << 1.0 << 0.5;
    QTest::newRow("grey hsl, hue powerless") << ColourSpace::Hsl << 0.5 << 0.5 << 0.5 << nan << 0.0 << 0.5;
    QTest::newRow("white hsl, hue powerless") << ColourSpace::Hsl << 1.0 << 1.0 << 1.0 << nan << 0.0 << 1.0;
}

void TestColourSpace::conversionsMatchReferenceValues()
{
    QFETCH(ColourSpace, space);
    QFETCH(double, red);
    QFETCH(double, green);
    QFETCH(double, blue);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, third);
    const ColourCoordinates actual = srgbToSpace(space, {red, green, blue});
    // Hues are given to four decimals, everything else to five.
    const double tolerance = isPolar(space) ? 0.0006 : 0.000006;
    QVERIFY2(near(actual, {first, second, third}, tolerance), qPrintable(describe(actual)));
}

void TestColourSpace::hslToSrgbMatchesReferenceValues_data()
{
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("saturation");
    QTest::addColumn<double>("lightness");
    QTest::addColumn<double>("red");
    QTest::addColumn<double>("green");
    QTest::addColumn<double>("blue");
    QTest::newRow("dark green") << 120.0 << 1.0 << 0.25 << 0.0 << 0.5 << 0.0;
    QTest::newRow("orchid") << 300.0 << 0.5 << 0.5 << 0.75 << 0.25 << 0.75;
    QTest::newRow("hue 360 is hue 0") << 360.0 << 1.0 << 0.5 << 1.0 << 0.0 << 0.0;
    QTest::newRow("hue beyond a turn") << 480.0 << 1.0 << 0.5 << 0.0 << 1.0 << 0.0;
    QTest::newRow("negative hue") << -120.0 << 1.0 << 0.5 << 0.0 << 0.0 << 1.0;
    QTest::newRow("missing hue") << std::numeric_limits<double>::quiet_NaN() << 0.0 << 0.3 << 0.3 << 0.3
                                 << 0.3;
    QTest::newRow("white") << 200.0 << 1.0 << 1.0 << 1.0 << 1.0 << 1.0;
}

void TestColourSpace::hslToSrgbMatchesReferenceValues()
{
    QFETCH(double, hue);
    QFETCH(double, saturation);
    QFETCH(double, lightness);
    QFETCH(double, red);
    QFETCH(double, green);
    QFETCH(double, blue);
    const ColourCoordinates actual = hslToSrgb({hue, saturation, lightness});
    QVERIFY2(near(actual, {red, green, blue}, 1e-12), qPrintable(describe(actual)));
}

void TestColourSpace::everySpaceRoundTrips_data()
{
    QTest::addColumn<ColourSpace>("space");
    QTest::newRow("srgb") << ColourSpace::Srgb;
    QTest::newRow("linear-srgb") << ColourSpace::LinearSrgb;
    QTest::newRow("oklab") << ColourSpace::Oklab;
    QTest::newRow("oklch") << ColourSpace::Oklch;
    QTest::newRow("hsl") << ColourSpace::Hsl;
}

void TestColourSpace::everySpaceRoundTrips()
{
    QFETCH(ColourSpace, space);
    QRandomGenerator random(9);
    for (int i = 0; i < 5000; ++i) {
        // Every eighth colour a grey or a colour on the gamut's faces.
        ColourCoordinates srgb{random.bounded(256) / 255.0, random.bounded(256) / 255.0,
                               random.bounded(256) / 255.0};
        if (i % 8 == 0)
            srgb[1] = srgb[2] = srgb[0];
        if (i % 8 == 1)
            srgb[random.bounded(3)] = random.bounded(2);
        const ColourCoordinates linear = spaceToLinearSrgb(space, srgbToSpace(space, srgb));
        const ColourCoordinates back{linearToSrgb(linear[0]), linearToSrgb(linear[1]),
                                     linearToSrgb(linear[2])};
        QVERIFY2(near(back, srgb, 1e-9), qPrintable(describe(srgb) + u" came back as "_s + describe(back)));
    }
}

void TestColourSpace::hueRulesAtTheSeam_data()
{
    QTest::addColumn<HueInterpolation>("hue");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("middle");
    QTest::addColumn<double>("travelled");
    // The hue half way, and how far (signed) the hue runs from the first to the second.
    QTest::newRow("shorter 350 to 10") << HueInterpolation::Shorter << 350.0 << 10.0 << 0.0 << 20.0;
    QTest::newRow("shorter 10 to 350") << HueInterpolation::Shorter << 10.0 << 350.0 << 0.0 << -20.0;
    QTest::newRow("longer 350 to 10") << HueInterpolation::Longer << 350.0 << 10.0 << 180.0 << -340.0;
    QTest::newRow("longer 10 to 350") << HueInterpolation::Longer << 10.0 << 350.0 << 180.0 << 340.0;
    QTest::newRow("increasing 350 to 10") << HueInterpolation::Increasing << 350.0 << 10.0 << 0.0 << 20.0;
    QTest::newRow("increasing 10 to 350") << HueInterpolation::Increasing << 10.0 << 350.0 << 180.0 << 340.0;
    QTest::newRow("decreasing 350 to 10") << HueInterpolation::Decreasing << 350.0 << 10.0 << 180.0 << -340.0;
    QTest::newRow("decreasing 10 to 350") << HueInterpolation::Decreasing << 10.0 << 350.0 << 0.0 << -20.0;
    QTest::newRow("shorter exactly half a turn")
        << HueInterpolation::Shorter << 0.0 << 180.0 << 90.0 << 180.0;
    QTest::newRow("longer equal hues turn fully")
        << HueInterpolation::Longer << 40.0 << 40.0 << 220.0 << 360.0;
    QTest::newRow("increasing equal hues stay")
        << HueInterpolation::Increasing << 40.0 << 40.0 << 40.0 << 0.0;
}

void TestColourSpace::hueRulesAtTheSeam()
{
    QFETCH(HueInterpolation, hue);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, middle);
    QFETCH(double, travelled);
    double from = first;
    double to = second;
    fixUpHues(from, to, hue);
    QCOMPARE(to - from, travelled);
    QCOMPARE(std::fmod((from + to) / 2.0, 360.0), middle);
}

void TestColourSpace::missingHueTakesTheOther_data()
{
    QTest::addColumn<HueInterpolation>("hue");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("fixedFirst");
    QTest::addColumn<double>("fixedSecond");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("first missing") << HueInterpolation::Shorter << nan << 250.0 << 250.0 << 250.0;
    QTest::newRow("second missing") << HueInterpolation::Decreasing << 30.0 << nan << 30.0 << 30.0;
    QTest::newRow("both missing") << HueInterpolation::Increasing << nan << nan << 0.0 << 0.0;
    QTest::newRow("missing then longer turns fully")
        << HueInterpolation::Longer << nan << 250.0 << 250.0 << 610.0;
}

void TestColourSpace::missingHueTakesTheOther()
{
    QFETCH(HueInterpolation, hue);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, fixedFirst);
    QFETCH(double, fixedSecond);
    fixUpHues(first, second, hue);
    QCOMPARE(first, fixedFirst);
    QCOMPARE(second, fixedSecond);
}

void TestColourSpace::outOfGamutColourIsMappedNotClipped()
{
    const ColourCoordinates origin{0.7, 0.4, 150.0};
    const ColourCoordinates raw = oklabToLinearSrgb(oklchToOklab(origin));
    QVERIFY(!inSrgbGamut(raw));

    const ColourCoordinates mapped = mapOklchIntoSrgb(origin);
    QVERIFY(inSrgbGamut(mapped));
    const ColourCoordinates mappedOklch = oklabToOklch(linearSrgbToOklab(mapped));
    QVERIFY2(hueDifference(mappedOklch[2], 150.0) < 5.0, qPrintable(describe(mappedOklch)));
    QVERIFY2(std::fabs(mappedOklch[0] - 0.7) < 0.02, qPrintable(describe(mappedOklch)));
    QVERIFY(mappedOklch[1] < 0.4);

    // Plain clipping lands elsewhere, with a hue and lightness further from the origin's.
    const ColourCoordinates clipped{std::clamp(raw[0], 0.0, 1.0), std::clamp(raw[1], 0.0, 1.0),
                                    std::clamp(raw[2], 0.0, 1.0)};
    const auto encoded = [](const ColourCoordinates& linear) {
        return std::array{SrgbEncoder::encode(linear[0]), SrgbEncoder::encode(linear[1]),
                          SrgbEncoder::encode(linear[2])};
    };
    QVERIFY(encoded(mapped) != encoded(clipped));
    const ColourCoordinates clippedOklch = oklabToOklch(linearSrgbToOklab(clipped));
    QVERIFY(std::fabs(clippedOklch[0] - 0.7) > std::fabs(mappedOklch[0] - 0.7));
}

void TestColourSpace::gamutMappingEnds_data()
{
    QTest::addColumn<double>("lightness");
    QTest::addColumn<double>("chroma");
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("red");
    QTest::addColumn<double>("green");
    QTest::addColumn<double>("blue");
    QTest::newRow("too light is white") << 1.2 << 0.3 << 40.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("exactly light is white") << 1.0 << 0.1 << 200.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("too dark is black") << -0.1 << 0.3 << 40.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("zero lightness is black") << 0.0 << 0.2 << 300.0 << 0.0 << 0.0 << 0.0;
}

void TestColourSpace::gamutMappingEnds()
{
    QFETCH(double, lightness);
    QFETCH(double, chroma);
    QFETCH(double, hue);
    QFETCH(double, red);
    QFETCH(double, green);
    QFETCH(double, blue);
    QCOMPARE(mapOklchIntoSrgb({lightness, chroma, hue}), (ColourCoordinates{red, green, blue}));
}

void TestColourSpace::gamutMappingMatchesTheLiteralAlgorithm()
{
    QRandomGenerator random(17);
    int searched = 0;
    for (int i = 0; i < 20000; ++i) {
        const ColourCoordinates origin{random.generateDouble() * 1.1 - 0.05, random.generateDouble() * 0.45,
                                       random.generateDouble() * 360.0};
        const ColourCoordinates mapped = mapOklchIntoSrgb(origin);
        QVERIFY(inSrgbGamut(mapped));
        const ColourCoordinates reference = referenceGamutMapping(origin);
        for (int c = 0; c < 3; ++c) {
            QVERIFY2(SrgbEncoder::encode(mapped[c]) == qint16(std::nearbyint(reference[c] * 255.0)),
                     qPrintable(describe(origin)));
        }
        const ColourCoordinates raw = oklabToLinearSrgb(oklchToOklab(origin));
        if (!inSrgbGamut(raw) && !barelyOutsideSrgb(raw))
            ++searched;
    }
    // Most of these colours lie far outside, so the search itself has been compared.
    QVERIFY(searched > 10000);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestColourSpace)
#include "TestColourSpace.moc"
