// Every colour of a gradient worked out again, unit by unit, from the rules of CSS Color 4 and CSS
// Images 4 with conversions of its own (none of the engine's), and compared with
// UnitColours::schedule on thousands of random gradients.
//
// Huespan's own rules on top of CSS, followed here too: stop positions are clamped to 0 to 100;
// unit k of n sits at k on an axis of n - 1 units, a stop at p % at p * (n - 1) / 100; of stops
// sharing a position the later one holds (reversed: the earlier one, the colours being read from
// the other end); an 8-bit component is rounded to the nearest whole number, halves to even. In
// sRGB, a stretch between two stops that both fall on units takes the plain two-colour
// arithmetic (InterpolateComponent) at the units inside it, which covers the plain gradient left
// to right. The one case left out is the plain gradient both sides in sRGB: its two halves of
// n / 2 units each (sharing the centre for an odd n) have no stops to place.

#include "GradientSettings.h"
#include "SettingNames.h"
#include "UnitColours.h"

#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <random>

Q_DECLARE_METATYPE(huespan::ColourSpace)

namespace huespan {

namespace {

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

Vector times(const Matrix& m, const Vector& v)
{
    Vector out{};
    for (int row = 0; row < 3; ++row)
        out[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    return out;
}

// https://www.w3.org/TR/css-color-4/#color-conversion-code
const Matrix kLinearToXyz{{{506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
                           {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
                           {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0}}};
const Matrix kXyzToLinear{{{12831.0 / 3959.0, -329.0 / 214.0, -1974.0 / 3959.0},
                           {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
                           {705.0 / 12673.0, -2585.0 / 12673.0, 705.0 / 667.0}}};
const Matrix kXyzToLms{{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                        {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                        {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
const Matrix kLmsToOklab{{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                          {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                          {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
const Matrix kOklabToLms{{{1.0, 0.3963377773761749, 0.2158037573099136},
                          {1.0, -0.1055613458156586, -0.0638541728258133},
                          {1.0, -0.0894841775298119, -1.2914855480194092}}};
const Matrix kLmsToXyz{{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                        {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                        {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};

// https://www.w3.org/TR/css-color-4/#predefined-sRGB
double toLinear(double c)
{
    return std::fabs(c) <= 0.04045 ? c / 12.92
                                   : std::copysign(std::pow((std::fabs(c) + 0.055) / 1.055, 2.4), c);
}

double toGamma(double c)
{
    return std::fabs(c) > 0.0031308 ? std::copysign(1.055 * std::pow(std::fabs(c), 1.0 / 2.4) - 0.055, c)
                                    : 12.92 * c;
}

// https://www.w3.org/TR/css-color-4/#color-conversion-code
Vector oklabOf(const Vector& linear)
{
    const Vector lms = times(kXyzToLms, times(kLinearToXyz, linear));
    return times(kLmsToOklab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

Vector linearOf(const Vector& oklab)
{
    const Vector roots = times(kOklabToLms, oklab);
    return times(kXyzToLinear,
                 times(kLmsToXyz, {std::pow(roots[0], 3), std::pow(roots[1], 3), std::pow(roots[2], 3)}));
}

// https://www.w3.org/TR/css-color-4/#lab-to-lch (the hue is powerless at a chroma of 0.000004 and less)
Vector lchOf(const Vector& lab)
{
    const double chroma = std::hypot(lab[1], lab[2]);
    const double hue = std::atan2(lab[2], lab[1]) / std::numbers::pi * 180.0;
    return {lab[0], chroma, chroma <= 0.000004 ? kMissing : (hue < 0 ? hue + 360.0 : hue)};
}

// https://www.w3.org/TR/css-color-4/#lch-to-lab
Vector labOf(const Vector& lch)
{
    const double radians = std::isnan(lch[2]) ? 0.0 : lch[2] / 180.0 * std::numbers::pi;
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

// https://www.w3.org/TR/css-color-4/#rgb-to-hsl (saturation and lightness 0 to 1)
Vector hslOf(const Vector& rgb)
{
    const double max = std::max({rgb[0], rgb[1], rgb[2]});
    const double min = std::min({rgb[0], rgb[1], rgb[2]});
    const double light = (min + max) / 2.0;
    const double d = max - min;
    if (d == 0.0)
        return {kMissing, 0.0, light};
    double hue = max == rgb[0]   ? (rgb[1] - rgb[2]) / d + (rgb[1] < rgb[2] ? 6.0 : 0.0)
                 : max == rgb[1] ? (rgb[2] - rgb[0]) / d + 2.0
                                 : (rgb[0] - rgb[1]) / d + 4.0;
    hue *= 60.0;
    return {hue >= 360.0 ? hue - 360.0 : hue, (max - light) / std::min(light, 1.0 - light), light};
}

// https://www.w3.org/TR/css-color-4/#hsl-to-rgb
Vector rgbOf(const Vector& hsl)
{
    double hue = std::isnan(hsl[0]) ? 0.0 : std::fmod(hsl[0], 360.0);
    if (hue < 0.0)
        hue += 360.0;
    const auto f = [&](double n) {
        const double k = std::fmod(n + hue / 30.0, 12.0);
        const double a = hsl[1] * std::min(hsl[2], 1.0 - hsl[2]);
        return hsl[2] - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return {f(0.0), f(8.0), f(4.0)};
}

// https://www.w3.org/TR/css-color-4/#color-difference-OK
double deltaEOK(const Vector& first, const Vector& second)
{
    return std::sqrt(std::pow(first[0] - second[0], 2) + std::pow(first[1] - second[1], 2) +
                     std::pow(first[2] - second[2], 2));
}

bool inGamut(const Vector& linear)
{
    return std::ranges::all_of(linear, [](double c) { return c >= 0.0 && c <= 1.0; });
}

Vector clip(const Vector& linear)
{
    return {std::clamp(linear[0], 0.0, 1.0), std::clamp(linear[1], 0.0, 1.0),
            std::clamp(linear[2], 0.0, 1.0)};
}

// https://www.w3.org/TR/css-color-4/#binsearch (an OKLCH colour to linear sRGB in the gamut)
Vector gamutMapped(const Vector& origin)
{
    constexpr double jnd = 0.02;
    constexpr double epsilon = 0.0001;
    if (origin[0] >= 1.0)
        return {1.0, 1.0, 1.0};
    if (origin[0] <= 0.0)
        return {0.0, 0.0, 0.0};
    if (const Vector linear = linearOf(labOf(origin)); inGamut(linear))
        return linear;
    Vector current = origin;
    Vector clipped = clip(linearOf(labOf(current)));
    if (deltaEOK(oklabOf(clipped), labOf(current)) < jnd)
        return clipped;
    double min = 0.0;
    double max = origin[1];
    bool minInGamut = true;
    while (max - min > epsilon) {
        current[1] = (min + max) / 2.0;
        const Vector linear = linearOf(labOf(current));
        if (minInGamut && inGamut(linear)) {
            min = current[1];
            continue;
        }
        clipped = clip(linear);
        const double e = deltaEOK(oklabOf(clipped), labOf(current));
        if (e < jnd) {
            if (jnd - e < epsilon)
                return clipped;
            minInGamut = false;
            min = current[1];
        } else {
            max = current[1];
        }
    }
    return clipped;
}

// https://www.w3.org/TR/css-color-4/#hue-interpolation (a missing hue takes the other one)
void fixUp(double& a, double& b, HueInterpolation rule)
{
    if (std::isnan(a))
        a = std::isnan(b) ? 0.0 : b;
    if (std::isnan(b))
        b = a;
    const double d = b - a;
    switch (rule) {
    case HueInterpolation::Shorter:
        if (d > 180.0)
            a += 360.0;
        else if (d < -180.0)
            b += 360.0;
        break;
    case HueInterpolation::Longer:
        if (d > 0.0 && d < 180.0)
            a += 360.0;
        else if (d > -180.0 && d <= 0.0)
            b += 360.0;
        break;
    case HueInterpolation::Increasing:
        if (b < a)
            b += 360.0;
        break;
    case HueInterpolation::Decreasing:
        if (a < b)
            a += 360.0;
        break;
    }
}

qint16 nearest(double value)
{
    return qint16(std::nearbyint(std::clamp(value, 0.0, 255.0)));
}

// The plain two-colour arithmetic of one component: start + delta ÷ span × position in double,
// narrowed to single precision, written with seven significant digits, rounded halves to even.
qint16 interpolateComponent(int start, int end, int span, int position)
{
    const auto narrowed = static_cast<float>(double(end - start) / span * position + start);
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.7g", double(narrowed));
    return qint16(std::nearbyint(std::strtod(digits, nullptr)));
}

Vector unitRgb(const ColourTriple& c)
{
    return {c.red / 255.0, c.green / 255.0, c.blue / 255.0};
}

// https://www.w3.org/TR/css-color-4/#interpolation (between two stops of a stretch, at t)
ColourTriple interpolated(const ColourTriple& from, const ColourTriple& to, double t, ColourSpace space,
                          HueInterpolation hue)
{
    const auto mix = [t](Vector a, Vector b) {
        return Vector{a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
    };
    const auto encoded = [](const Vector& v) {
        return ColourTriple{nearest(toGamma(v[0]) * 255), nearest(toGamma(v[1]) * 255),
                            nearest(toGamma(v[2]) * 255)};
    };
    const auto linear = [](const ColourTriple& c) {
        return Vector{toLinear(c.red / 255.0), toLinear(c.green / 255.0), toLinear(c.blue / 255.0)};
    };
    switch (space) {
    case ColourSpace::Srgb: {
        const Vector v = mix({double(from.red), double(from.green), double(from.blue)},
                             {double(to.red), double(to.green), double(to.blue)});
        return {nearest(v[0]), nearest(v[1]), nearest(v[2])};
    }
    case ColourSpace::LinearSrgb:
        return encoded(clip(mix(linear(from), linear(to))));
    case ColourSpace::Oklab:
        return encoded(gamutMapped(lchOf(mix(oklabOf(linear(from)), oklabOf(linear(to))))));
    case ColourSpace::Oklch: {
        Vector a = lchOf(oklabOf(linear(from)));
        Vector b = lchOf(oklabOf(linear(to)));
        fixUp(a[2], b[2], hue);
        return encoded(gamutMapped(mix(a, b)));
    }
    case ColourSpace::Hsl: {
        Vector a = hslOf(unitRgb(from));
        Vector b = hslOf(unitRgb(to));
        fixUp(a[0], b[0], hue);
        const Vector rgb = rgbOf(mix(a, b));
        return {nearest(rgb[0] * 255.0), nearest(rgb[1] * 255.0), nearest(rgb[2] * 255.0)};
    }
    }
    return {};
}

// https://www.w3.org/TR/css-images-4/#color-stop-fixup (positions clamped to 0 to 100 first)
std::vector<ColourStop> fixedUp(std::vector<ColourStop> stops)
{
    for (ColourStop& stop : stops)
        if (stop.position)
            stop.position = std::clamp(*stop.position, 0.0, 100.0);
    stops.front().position = stops.front().position.value_or(0.0);
    stops.back().position = stops.back().position.value_or(100.0);
    double largest = 0.0;
    for (ColourStop& stop : stops)
        if (stop.position)
            largest = *stop.position = std::max(*stop.position, largest);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        std::size_t next = i;
        while (!stops[next].position)
            ++next;
        const double from = *stops[i - 1].position;
        const double to = *stops[next].position;
        for (std::size_t j = i; j < next; ++j)
            stops[j].position = from + (to - from) * double(j - i + 1) / double(next - i + 1);
        i = next;
    }
    return stops;
}

// https://www.w3.org/TR/css-images-4/#color-stop-syntax (the colours at units 0 to n - 1)
std::vector<ColourTriple> oracleSchedule(const GradientSettings& s, int n)
{
    const auto colour = [&s](int i) {
        const auto& t = s.componentTexts;
        return ColourTriple{t[i].toShort(), t[i + 1].toShort(), t[i + 2].toShort()};
    };
    const ExtendedSettings& g = s.extended;
    std::vector<ColourStop> stops =
        fixedUp(g.stops.empty() ? std::vector<ColourStop>{{colour(0), 0.0}, {colour(3), 100.0}} : g.stops);
    if (s.form == GradientForm::BothSidesSame) {
        std::vector<ColourStop> mirrored;
        for (const ColourStop& stop : stops)
            mirrored.push_back({stop.colour, *stop.position / 2.0});
        for (auto stop = stops.rbegin(); stop != stops.rend(); ++stop)
            mirrored.push_back({stop->colour, 100.0 - *stop->position / 2.0});
        stops = mirrored;
    }
    const double span = n - 1;
    std::vector<double> at;
    for (const ColourStop& stop : stops)
        at.push_back(*stop.position * span / 100.0);
    std::vector<ColourTriple> colours;
    for (int k = 0; k < n; ++k) {
        const double x = k;
        std::vector<std::size_t> here;
        for (std::size_t i = 0; i < stops.size(); ++i)
            if (at[i] == x)
                here.push_back(i);
        if (here.size() >= 2) {
            colours.push_back(stops[g.reverse ? here.front() : here.back()].colour);
        } else if (x <= at.front()) {
            colours.push_back(stops.front().colour);
        } else if (x >= at.back()) {
            colours.push_back(stops.back().colour);
        } else {
            std::size_t i = 0;
            while (at[i + 1] <= x)
                ++i;
            const ColourTriple& from = stops[i].colour;
            const ColourTriple& to = stops[i + 1].colour;
            const double whole = at[i + 1] - at[i];
            if (x == at[i]) {
                colours.push_back(from);
            } else if (g.space == ColourSpace::Srgb && at[i] == std::floor(at[i]) &&
                       whole == std::floor(whole)) {
                const int p = k - int(at[i]);
                colours.push_back({interpolateComponent(from.red, to.red, int(whole), p),
                                   interpolateComponent(from.green, to.green, int(whole), p),
                                   interpolateComponent(from.blue, to.blue, int(whole), p)});
            } else {
                colours.push_back(interpolated(from, to, (x - at[i]) / whole, g.space, g.hue));
            }
        }
    }
    if (g.reverse)
        std::reverse(colours.begin(), colours.end());
    return colours;
}

class Random
{
public:
    explicit Random(std::uint64_t seed)
        : m_engine(seed)
    {
    }
    int below(int n) { return int(m_engine() % std::uint64_t(n)); }
    bool chance(int percent) { return below(100) < percent; }

    // Mostly vivid colours (a full and an empty component), then greys, near-extremes and any.
    ColourTriple colour()
    {
        const int kind = below(100);
        std::array<int, 3> c{below(256), below(256), below(256)};
        if (kind < 45) {
            const int full = below(3);
            const int empty = (full + 1 + below(2)) % 3;
            c[full] = 255;
            c[empty] = 0;
        } else if (kind < 60) {
            c = {c[0], c[0], c[0]};
        } else if (kind < 75) {
            for (int& v : c)
                v = chance(50) ? below(12) : 255 - below(12);
        }
        return {qint16(c[0]), qint16(c[1]), qint16(c[2])};
    }

    // Missing, whole, thirds and sevenths, long decimals, the previous one again, out of range.
    std::optional<double> position(std::optional<double> previous)
    {
        const int kind = below(100);
        if (kind < 20)
            return std::nullopt;
        if (kind < 40)
            return double(below(101));
        if (kind < 55) {
            const int parts = 3 + below(5);
            return 100.0 * below(parts + 1) / parts;
        }
        if (kind < 75)
            return below(100000001) / 1e6;
        if (kind < 92 && previous)
            return previous;
        return chance(50) ? -below(30) - 0.5 : 100.0 + below(30) + 0.25;
    }

    // The settings of a gradient in the space, and its number of units.
    std::pair<GradientSettings, int> gradient(ColourSpace space)
    {
        GradientSettings s;
        ExtendedSettings& g = s.extended;
        g.space = space;
        g.hue = HueInterpolation(below(4));
        s.form = chance(65) ? GradientForm::LeftToRight : GradientForm::BothSidesSame;
        g.reverse = chance(30);
        for (std::size_t i = 0; i < 6; i += 3) {
            const ColourTriple c = colour();
            s.componentTexts[i] = QString::number(c.red);
            s.componentTexts[i + 1] = QString::number(c.green);
            s.componentTexts[i + 2] = QString::number(c.blue);
        }
        if (!chance(12)) {
            std::optional<double> previous;
            for (int i = 2 + below(5); i > 0; --i) {
                previous = position(previous);
                g.stops.push_back({colour(), previous});
            }
        }
        const int minimum = s.form == GradientForm::BothSidesSame ? 3 : 2;
        const int size = below(1000);
        return {s, size == 0    ? 32767
                   : size == 1  ? 2000 + below(30000)
                   : size < 100 ? minimum + below(1000)
                                : minimum + below(40)};
    }

private:
    std::mt19937_64 m_engine;
};

QString code(const ColourTriple& c)
{
    return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
}

QString described(const GradientSettings& s, int n)
{
    const ExtendedSettings& g = s.extended;
    QString text = QStringLiteral("space %1, hue %2, %3%4, n %5, colours %6, stops")
                       .arg(nameOf(g.space), nameOf(g.hue),
                            s.form == GradientForm::LeftToRight ? u"left to right" : u"both sides",
                            g.reverse ? u", reversed" : u"")
                       .arg(n)
                       .arg(QStringList(s.componentTexts.begin(), s.componentTexts.end()).join(u','));
    for (const ColourStop& stop : g.stops)
        text += u' ' + code(stop.colour) + u'@' +
                (stop.position ? QString::number(*stop.position, 'g', 17) : QStringLiteral("-"));
    return text;
}

} // namespace

class TestColourOracle : public QObject
{
    Q_OBJECT

private slots:
    void scheduleFollowsCss_data()
    {
        QTest::addColumn<ColourSpace>("space");
        QTest::addColumn<int>("seed");
        QTest::newRow("srgb") << ColourSpace::Srgb << 11;
        QTest::newRow("linear-srgb") << ColourSpace::LinearSrgb << 12;
        QTest::newRow("oklab") << ColourSpace::Oklab << 13;
        QTest::newRow("oklch") << ColourSpace::Oklch << 14;
        QTest::newRow("hsl") << ColourSpace::Hsl << 15;
    }

    // 2,400 random gradients for each space, every component of every unit.
    void scheduleFollowsCss()
    {
        QFETCH(ColourSpace, space);
        QFETCH(int, seed);
        Random random{static_cast<std::uint64_t>(seed)};
        for (int i = 0; i < 2400; ++i) {
            const auto [settings, n] = random.gradient(space);
            if (space == ColourSpace::Srgb && settings.extended.stops.empty() &&
                settings.form == GradientForm::BothSidesSame)
                continue;
            const std::vector<ColourTriple> engine = UnitColours::schedule(settings, n);
            const std::vector<ColourTriple> oracle = oracleSchedule(settings, n);
            QCOMPARE(engine.size(), oracle.size());
            for (std::size_t k = 0; k < oracle.size(); ++k) {
                if (engine[k] != oracle[k])
                    QFAIL(qPrintable(QStringLiteral("%1: unit %2 is %3, CSS gives %4")
                                         .arg(described(settings, n))
                                         .arg(k)
                                         .arg(code(engine[k]), code(oracle[k]))));
            }
        }
    }
};

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestColourOracle)
#include "TestColourOracle.moc"
