#include "SettingNames.h"
#include "StopText.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

using Fault = StopText::Fault;

// The names of the settings' values and the text of a stop, as the command line, the settings file
// and the dialog share them.
class TestSettingTexts : public QObject
{
    Q_OBJECT

private slots:
    void eachValueHasOneName();
    void stopTexts_data();
    void stopTexts();
    void writtenStopsReadBack();
};

namespace {

// Every value of the enumeration (count values from 0) is named exactly once, in a spelling a
// shell takes without quotes, and reads back from its name.
template <typename Value> void checkNames(int count, bool captioned)
{
    static const QRegularExpression shellWord(u"^[a-z0-9]+(-[a-z0-9]+)*$"_s);
    QSet<int> values;
    QSet<QString> names;
    for (const SettingName<Value>& entry : settingNames<Value>()) {
        const QString name = entry.name;
        QVERIFY2(shellWord.match(name).hasMatch(), qPrintable(name));
        values.insert(static_cast<int>(entry.value));
        names.insert(name);
        QCOMPARE(valueNamed<Value>(name), entry.value);
        QCOMPARE(nameOf(entry.value), name);
        QCOMPARE(entry.caption.isEmpty(), !captioned);
        QVERIFY(!valueNamed<Value>(name.toUpper()));
        QVERIFY(!valueNamed<Value>(QString(name + u' ')));
    }
    QCOMPARE(values.size(), count);
    QCOMPARE(names.size(), count);
    QCOMPARE(*std::max_element(values.begin(), values.end()), count - 1);
}

} // namespace

void TestSettingTexts::eachValueHasOneName()
{
    checkNames<GradientForm>(2, false);
    checkNames<ColourSpace>(5, true);
    checkNames<HueInterpolation>(4, true);
    checkNames<TextUnit>(2, true);
    checkNames<OutputFormat>(11, true);
    checkNames<LineGradient>(3, false);
    QCOMPARE(choicesText<GradientForm>(true), u"left-to-right (default) or both-sides-same"_s);
}

void TestSettingTexts::stopTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("written");

    QTest::newRow("#RRGGBB") << u"#ff8000"_s << false << Fault::None << QString() << u"#FF8000"_s;
    QTest::newRow("RRGGBB at 25") << u"FF8000@25"_s << false << Fault::None << QString() << u"#FF8000@25"_s;
    QTest::newRow("R,G,B at 12.5%") << u"255,128,0@12.5%"_s << false << Fault::None << QString()
                                    << u"#FF8000@12.5"_s;
    QTest::newRow("R,G,B in hexadecimal") << u"FF,80,0"_s << true << Fault::None << QString() << u"#FF8000"_s;
    QTest::newRow("at 0 and at 100") << u"000000@0"_s << false << Fault::None << QString() << u"#000000@0"_s;
    QTest::newRow("at 100") << u"000000@100%"_s << false << Fault::None << QString() << u"#000000@100"_s;
    QTest::newRow("three digits") << u"#F00"_s << false << Fault::NotAColour << u"#F00"_s << QString();
    QTest::newRow("seven digits") << u"#FF80001"_s << false << Fault::NotAColour << u"#FF80001"_s
                                  << QString();
    QTest::newRow("colour name") << u"red"_s << false << Fault::NotAColour << u"red"_s << QString();
    QTest::newRow("no colour") << u"@50"_s << false << Fault::NotAColour << QString() << QString();
    QTest::newRow("two components") << u"1,2"_s << false << Fault::NotThreeComponents << u"1,2"_s
                                    << QString();
    QTest::newRow("four components") << u"1,2,3,4"_s << false << Fault::NotThreeComponents << u"1,2,3,4"_s
                                     << QString();
    QTest::newRow("empty component") << u"1,,3"_s << false << Fault::ComponentNotANumber << QString()
                                     << QString();
    QTest::newRow("signed component")
        << u"1,+2,3"_s << false << Fault::ComponentNotANumber << u"+2"_s << QString();
    QTest::newRow("hexadecimal in decimal")
        << u"1,A,3"_s << false << Fault::ComponentNotANumber << u"A"_s << QString();
    QTest::newRow("256") << u"1,2,256"_s << false << Fault::ComponentOutOfRange << u"256"_s << QString();
    QTest::newRow("100 in hexadecimal")
        << u"1,2,100"_s << true << Fault::ComponentOutOfRange << u"100"_s << QString();
    QTest::newRow("digits beyond any counter")
        << u"1,2,99999999999999999999"_s << false << Fault::ComponentOutOfRange << u"99999999999999999999"_s
        << QString();
    QTest::newRow("position below 0")
        << u"#FF8000@-5"_s << false << Fault::PositionOutOfRange << u"-5"_s << QString();
    QTest::newRow("position above 100")
        << u"#FF8000@100.5"_s << false << Fault::PositionOutOfRange << u"100.5"_s << QString();
    QTest::newRow("exponent") << u"#FF8000@1e1"_s << false << Fault::PositionOutOfRange << u"1e1"_s
                              << QString();
    QTest::newRow("empty position") << u"#FF8000@"_s << false << Fault::PositionOutOfRange << QString()
                                    << QString();
    QTest::newRow("second @") << u"#FF8000@1@2"_s << false << Fault::PositionOutOfRange << u"1@2"_s
                              << QString();
    QTest::newRow("blank before the position")
        << u"#FF8000@ 5"_s << false << Fault::PositionOutOfRange << u" 5"_s << QString();
}

void TestSettingTexts::stopTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, hexadecimal);
    QFETCH(Fault, fault);
    QFETCH(QString, part);
    QFETCH(QString, written);
    const StopText::Reading reading =
        StopText::read(text, hexadecimal ? Notation::Hexadecimal : Notation::Decimal);
    QCOMPARE(reading.fault, fault);
    if (fault == Fault::None)
        QCOMPARE(StopText::write(reading.stop), written);
    else
        QCOMPARE(reading.part, part);
}

// Whatever a stop's position, what is written reads back as the same stop.
void TestSettingTexts::writtenStopsReadBack()
{
    QRandomGenerator random(20261207);
    std::vector<double> positions{0.0, 100.0, 100.0 / 3.0, 1e-5, 4.9e-324, 1e-300, 99.999999999999986, 0.1};
    for (int index = 0; index < 2000; ++index)
        positions.push_back(random.bounded(100.0) * std::pow(10.0, -random.bounded(12)));
    for (const double position : positions) {
        const ColourStop stop{{static_cast<qint16>(random.bounded(256)),
                               static_cast<qint16>(random.bounded(256)),
                               static_cast<qint16>(random.bounded(256))},
                              position};
        const QString text = StopText::write(stop);
        const StopText::Reading reading = StopText::read(text);
        QVERIFY2(reading.ok(), qPrintable(text));
        QVERIFY2(reading.stop == stop, qPrintable(text));
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestSettingTexts)
#include "TestSettingTexts.moc"
