#include "ColourValues.h"
#include "ReferenceInterpolation.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// Checks the production interpolation against a slow reference that takes every step of the
// colour rule literally, over whole gradients: every position of each span.
class TestInterpolationReference : public QObject
{
    Q_OBJECT

private slots:
    void referenceReproducesTheWorkedValues_data();
    void referenceReproducesTheWorkedValues();
    void everyPairOverShortSpans_data();
    void everyPairOverShortSpans();
    void sampledPairsOverMiddleSpans_data();
    void sampledPairsOverMiddleSpans();
    void chosenPairsOverLongSpans_data();
    void chosenPairsOverLongSpans();

private:
    // Compares every position of one gradient; returns a description of the first mismatch.
    static QString firstMismatch(int from, int to, int span);
};

QString TestInterpolationReference::firstMismatch(int from, int to, int span)
{
    const int delta = to - from;
    for (int position = 1; position < span; ++position) {
        const int actual = InterpolateComponent(qint16(from), qint16(delta), position, span);
        const int expected = ReferenceInterpolation::literal(from, delta, position, span);
        // Up to this span the seven-digit rounding cannot move a value onto a half, so the exact
        // fraction must agree as well; a disagreement there would mean a broken reference.
        const bool exactAgrees =
            span > 8000 || ReferenceInterpolation::exactFraction(from, delta, position, span) == expected;
        if (actual != expected || !exactAgrees) {
            return u"start %1 delta %2 position %3 span %4: got %5, reference %6, exact %7"_s.arg(from)
                .arg(delta)
                .arg(position)
                .arg(span)
                .arg(actual)
                .arg(expected)
                .arg(ReferenceInterpolation::exactFraction(from, delta, position, span));
        }
    }
    return {};
}

void TestInterpolationReference::referenceReproducesTheWorkedValues_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("expected");

    QTest::newRow("127.5") << 0 << 255 << 1 << 2 << 128;
    QTest::newRow("0.5") << 0 << 1 << 1 << 2 << 0;
    QTest::newRow("42.5") << 0 << 255 << 1 << 6 << 42;
    QTest::newRow("33.33") << 0 << 100 << 1 << 3 << 33;
    QTest::newRow("85") << 255 << -255 << 2 << 3 << 85;
    QTest::newRow("11.5") << 10 << 3 << 1 << 2 << 12;
    QTest::newRow("234.50005") << 0 << 255 << 9197 << 10001 << 234;
}

void TestInterpolationReference::referenceReproducesTheWorkedValues()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    QFETCH(int, position);
    QFETCH(int, span);
    QFETCH(int, expected);
    QCOMPARE(ReferenceInterpolation::literal(start, delta, position, span), expected);
}

void TestInterpolationReference::everyPairOverShortSpans_data()
{
    QTest::addColumn<int>("span");
    for (int span = 2; span <= 12; ++span)
        QTest::addRow("span %d", span) << span;
}

void TestInterpolationReference::everyPairOverShortSpans()
{
    QFETCH(int, span);
    for (int from = 0; from <= 255; ++from) {
        for (int to = 0; to <= 255; ++to) {
            const QString mismatch = firstMismatch(from, to, span);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
    }
}

void TestInterpolationReference::sampledPairsOverMiddleSpans_data()
{
    QTest::addColumn<int>("span");
    for (int span : {13, 16, 31, 100, 255, 256, 1000, 4095, 7999, 8000})
        QTest::addRow("span %d", span) << span;
}

void TestInterpolationReference::sampledPairsOverMiddleSpans()
{
    QFETCH(int, span);
    // Fewer pairs for longer spans keeps the work per span roughly even.
    const int stride = span <= 256 ? 11 : 51;
    for (int from = 0; from <= 255; from += stride) {
        for (int to = 255; to >= 0; to -= stride) {
            const QString mismatch = firstMismatch(from, to, span);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
    }
}

void TestInterpolationReference::chosenPairsOverLongSpans_data()
{
    QTest::addColumn<int>("span");
    for (int span : {8001, 8191, 9999, 10001, 16383, 24576, 32766})
        QTest::addRow("span %d", span) << span;
}

void TestInterpolationReference::chosenPairsOverLongSpans()
{
    QFETCH(int, span);
    // Full-range and single-step gradients in both directions, and a few odd deltas whose
    // quotients come closest to halves.
    const std::pair<int, int> pairs[] = {{0, 255},   {255, 0}, {0, 1},   {1, 0},    {0, 3},
                                         {254, 255}, {3, 252}, {200, 1}, {17, 146}, {128, 127}};
    for (const auto& [from, to] : pairs) {
        const QString mismatch = firstMismatch(from, to, span);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    // And a fixed random sample of the others, the same for every span.
    QRandomGenerator random(8001u);
    for (int sample = 0; sample < 30; ++sample) {
        const int from = int(random.bounded(256u));
        const int to = int(random.bounded(256u));
        const QString mismatch = firstMismatch(from, to, span);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestInterpolationReference)
#include "TestInterpolationReference.moc"
