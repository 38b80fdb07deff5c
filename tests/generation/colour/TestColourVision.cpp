#include "ColourVision.h"

#include <QTest>
#include <cmath>

namespace huespan {

// The dichromacy simulation against a plain reading of the paper's method: sRGB decoded with the
// CSS Color 4 transfer function, the severity 1.0 matrix of the paper's table, clamped, encoded and
// rounded. Greys stay grey for every vision.
class TestColourVision : public QObject
{
    Q_OBJECT

private slots:
    void againstThePaper_data();
    void againstThePaper();
};

namespace {

// Machado, Oliveira and Fernandes (2009), table of matrices, severity 1.0, row by row.
constexpr double kPaper[3][9] = {
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881},
    {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.303900},
};

double decode(int component)
{
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int encode(double linear)
{
    const double c = std::clamp(linear, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(encoded * 255.0));
}

} // namespace

void TestColourVision::againstThePaper_data()
{
    QTest::addColumn<int>("vision");
    QTest::addColumn<ColourTriple>("colour");

    const ColourTriple colours[] = {{255, 0, 0},   {0, 255, 0},     {0, 0, 255},     {255, 255, 0},
                                    {0, 255, 255}, {255, 0, 255},   {255, 128, 0},   {18, 52, 86},
                                    {200, 30, 90}, {128, 128, 128}, {255, 255, 255}, {0, 0, 0}};
    const char* names[] = {"protanopia", "deuteranopia", "tritanopia"};
    for (int vision = 0; vision < 3; ++vision) {
        for (const ColourTriple& colour : colours) {
            QTest::addRow("%s %d,%d,%d", names[vision], colour.red, colour.green, colour.blue)
                << vision << colour;
        }
    }
}

void TestColourVision::againstThePaper()
{
    QFETCH(int, vision);
    QFETCH(ColourTriple, colour);

    const double* m = kPaper[vision];
    const double r = decode(colour.red), g = decode(colour.green), b = decode(colour.blue);
    const int expected[3] = {encode(m[0] * r + m[1] * g + m[2] * b), encode(m[3] * r + m[4] * g + m[5] * b),
                             encode(m[6] * r + m[7] * g + m[8] * b)};
    const ColourTriple seen = simulatedColour(colour, static_cast<ColourVision>(vision + 1));
    // One step of rounding apart at most, where a value lies on a half.
    QVERIFY(std::abs(seen.red - expected[0]) <= 1);
    QVERIFY(std::abs(seen.green - expected[1]) <= 1);
    QVERIFY(std::abs(seen.blue - expected[2]) <= 1);
    if (colour.red == colour.green && colour.green == colour.blue) {
        QVERIFY(std::abs(seen.red - colour.red) <= 1 && std::abs(seen.green - colour.red) <= 1 &&
                std::abs(seen.blue - colour.red) <= 1);
    }
    QCOMPARE(simulatedColour(colour, ColourVision::Typical), colour);
}

} // namespace huespan

QTEST_APPLESS_MAIN(huespan::TestColourVision)
#include "TestColourVision.moc"
