#include "ColourValues.h"
#include "GradientPresets.h"
#include "StopGradient.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

class TestGradientPresets : public QObject
{
    Q_OBJECT

private slots:
    void presetsAreWellFormed();
    void expectedPresetsExist_data();
    void expectedPresetsExist();
    void unknownNamesFindNothing_data();
    void unknownNamesFindNothing();
    void everyPresetRunsFromItsFirstToItsLastStop();
    void symmetricFlagsReadTheSameBothWays_data();
    void symmetricFlagsReadTheSameBothWays();
};

void TestGradientPresets::presetsAreWellFormed()
{
    const std::vector<GradientPreset>& presets = gradientPresets();
    QVERIFY(presets.size() >= 12);
    const QRegularExpression namePattern(u"^[a-z]+(-[a-z]+)*$"_s);
    QSet<QString> names;
    for (const GradientPreset& preset : presets) {
        QVERIFY2(namePattern.match(preset.name).hasMatch(), qPrintable(preset.name));
        QVERIFY2(!names.contains(preset.name), qPrintable(preset.name));
        names.insert(preset.name);
        QVERIFY(!preset.description.isEmpty());
        QVERIFY(preset.stops.size() >= 2);
        for (const ColourStop& stop : preset.stops) {
            for (const qint16 component : {stop.colour.red, stop.colour.green, stop.colour.blue})
                QVERIFY(component >= 0 && component <= 255);
        }
        QCOMPARE(findGradientPreset(preset.name), &preset);
    }
}

void TestGradientPresets::expectedPresetsExist_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : {u"sunset"_s, u"ocean"_s, u"fire"_s, u"ice"_s, u"pastel"_s, u"monochrome"_s,
                                u"pride"_s, u"trans-pride"_s, u"bi-pride"_s, u"pan-pride"_s,
                                u"lesbian-pride"_s, u"nonbinary-pride"_s, u"asexual-pride"_s})
        QTest::newRow(qPrintable(name)) << name;
}

void TestGradientPresets::expectedPresetsExist()
{
    QFETCH(QString, name);
    QVERIFY(findGradientPreset(name));
}

void TestGradientPresets::unknownNamesFindNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("upper case") << u"Sunset"_s;
    QTest::newRow("trailing blank") << u"sunset "_s;
    QTest::newRow("prefix") << u"sun"_s;
    QTest::newRow("underscore") << u"trans_pride"_s;
    QTest::newRow("the hue circle is an option of its own") << u"rainbow"_s;
}

void TestGradientPresets::unknownNamesFindNothing()
{
    QFETCH(QString, name);
    QCOMPARE(findGradientPreset(name), nullptr);
}

void TestGradientPresets::everyPresetRunsFromItsFirstToItsLastStop()
{
    std::vector<ColourTriple> colours;
    for (const GradientPreset& preset : gradientPresets()) {
        const StopGradient gradient(preset.stops, preset.space, preset.hue);
        gradient.unitColours(200, colours);
        QCOMPARE(colours.front(), preset.stops.front().colour);
        QCOMPARE(colours.back(), preset.stops.back().colour);
    }
}

void TestGradientPresets::symmetricFlagsReadTheSameBothWays_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("trans") << u"trans-pride"_s;
    QTest::newRow("agender") << u"agender-pride"_s;
}

void TestGradientPresets::symmetricFlagsReadTheSameBothWays()
{
    QFETCH(QString, name);
    const GradientPreset* preset = findGradientPreset(name);
    QVERIFY(preset);
    const std::vector<ColourStop> resolved = resolveStopPositions(preset->stops);
    const std::vector<ColourStop> reversed = reversedStops(resolved);
    QCOMPARE(reversed.size(), resolved.size());
    for (std::size_t i = 0; i < resolved.size(); ++i) {
        QCOMPARE(reversed[i].colour, resolved[i].colour);
        QVERIFY(std::fabs(*reversed[i].position - *resolved[i].position) < 1e-9);
    }
    // So the gradient itself is symmetric too.
    std::vector<ColourTriple> colours;
    StopGradient(preset->stops, preset->space, preset->hue).unitColours(101, colours);
    for (int i = 0; i < 101; ++i)
        QCOMPARE(ColourCode(colours[i]), ColourCode(colours[100 - i]));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestGradientPresets)
#include "TestGradientPresets.moc"
