#include "ColourValues.h"
#include "ColourWalk.h"
#include "ProgressSteps.h"

#include <QRandomGenerator>
#include <QTest>

namespace huespan {

// The walks that take the arithmetic out of the per-character loop must give, position by
// position, exactly what the formulas give when evaluated at every position.
class TestStepWalks : public QObject
{
    Q_OBJECT

private slots:
    void percentagesMatchTheFormula_data();
    void percentagesMatchTheFormula();
    void componentWalkMatchesTheRule_data();
    void componentWalkMatchesTheRule();
    void randomComponentWalks();

private:
    static QString firstMismatch(int count, int scale, ProgressSteps::Formula formula);
    static QString firstMismatch(qint16 start, qint16 delta, int span);
};

QString TestStepWalks::firstMismatch(int count, int scale, ProgressSteps::Formula formula)
{
    ProgressSteps steps(count, scale, formula);
    for (int i = 1; i <= count; ++i) {
        const int walked = steps.at(i);
        const int direct = formula(i, count);
        if (walked != direct)
            return QStringLiteral("count %1, index %2: walked %3, formula %4")
                .arg(count)
                .arg(i)
                .arg(walked)
                .arg(direct);
    }
    return {};
}

QString TestStepWalks::firstMismatch(qint16 start, qint16 delta, int span)
{
    ComponentWalk walk(start, delta, span);
    for (int position = 1; position < span; ++position) {
        const qint16 walked = walk.at(position);
        const qint16 direct = InterpolateComponent(start, delta, position, span);
        if (walked != direct) {
            return QStringLiteral("start %1, delta %2, span %3, position %4: walked %5, rule %6")
                .arg(start)
                .arg(delta)
                .arg(span)
                .arg(position)
                .arg(walked)
                .arg(direct);
        }
    }
    return {};
}

void TestStepWalks::percentagesMatchTheFormula_data()
{
    QTest::addColumn<bool>("half");
    QTest::addColumn<int>("firstCount");
    QTest::addColumn<int>("lastCount");
    QTest::addColumn<int>("stride");

    QTest::newRow("left to right, every count to 2000") << false << 1 << 2000 << 1;
    QTest::newRow("left to right, long counts") << false << 2001 << 32767 << 397;
    QTest::newRow("left to right, the longest") << false << 32767 << 32767 << 1;
    QTest::newRow("half, every count to 2000") << true << 1 << 2000 << 1;
    QTest::newRow("half, long counts") << true << 2001 << 16384 << 211;
}

void TestStepWalks::percentagesMatchTheFormula()
{
    QFETCH(bool, half);
    QFETCH(int, firstCount);
    QFETCH(int, lastCount);
    QFETCH(int, stride);
    for (int count = firstCount; count <= lastCount; count += stride) {
        const QString mismatch = half ? firstMismatch(count, 50, halfPercentage)
                                      : firstMismatch(count, 100, leftToRightPercentage);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void TestStepWalks::componentWalkMatchesTheRule_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("span");

    QTest::newRow("one step") << 0 << 255 << 1;
    QTest::newRow("halves go to even") << 0 << 1 << 2;
    QTest::newRow("jumps of many values") << 255 << -255 << 3;
    QTest::newRow("no change") << 77 << 0 << 500;
    QTest::newRow("near-half rounding of long spans") << 0 << 255 << 10001;
    QTest::newRow("longest span, falling") << 255 << -255 << 32766;
    QTest::newRow("longest span, rising by one") << 0 << 1 << 32766;
    QTest::newRow("span a little above the delta") << 10 << 200 << 201;
}

void TestStepWalks::componentWalkMatchesTheRule()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    QFETCH(int, span);
    const QString mismatch = firstMismatch(static_cast<qint16>(start), static_cast<qint16>(delta), span);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestStepWalks::randomComponentWalks()
{
    QRandomGenerator random(9u);
    for (int round = 0; round < 400; ++round) {
        const auto start = static_cast<qint16>(random.bounded(256));
        const auto end = static_cast<qint16>(random.bounded(256));
        // Short spans as often as long ones; the rounding near halves matters beyond 8000.
        const int span = round % 2 == 0 ? 1 + random.bounded(600) : 8000 + random.bounded(24767);
        const QString mismatch = firstMismatch(start, static_cast<qint16>(end - start), span);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestStepWalks)
#include "TestStepWalks.moc"
