#include "ui/ReplaceableHandler.h"

#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

QStringList g_systemCalls;

int systemAnswer(const QString& question)
{
    g_systemCalls.append(question);
    return 1;
}

void systemAction(const QString& what)
{
    g_systemCalls.append(what);
}

} // namespace

class TestReplaceableHandler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void systemAnswersUntilReplaced();
    void replacementAnswersAloneUntilEmptied();
    void actionsWithoutAnswerAreReplacedAlike();
};

void TestReplaceableHandler::init()
{
    g_systemCalls.clear();
}

void TestReplaceableHandler::systemAnswersUntilReplaced()
{
    const ReplaceableHandler<int(const QString&)> seam(&systemAnswer);
    QCOMPARE(seam(u"first"_s), 1);
    QCOMPARE(g_systemCalls, QStringList{u"first"_s});
}

void TestReplaceableHandler::replacementAnswersAloneUntilEmptied()
{
    ReplaceableHandler<int(const QString&)> seam(&systemAnswer);
    QStringList recorded;
    seam.replace([&recorded](const QString& question) {
        recorded.append(question);
        return 7;
    });
    QCOMPARE(seam(u"asked of the test"_s), 7);
    QCOMPARE(recorded, QStringList{u"asked of the test"_s});
    QVERIFY(g_systemCalls.isEmpty());

    seam.replace({});
    QCOMPARE(seam(u"asked of the system"_s), 1);
    QCOMPARE(recorded.size(), 1);
    QCOMPARE(g_systemCalls, QStringList{u"asked of the system"_s});
}

void TestReplaceableHandler::actionsWithoutAnswerAreReplacedAlike()
{
    ReplaceableHandler<void(const QString&)> seam(&systemAction);
    QStringList recorded;
    seam.replace([&recorded](const QString& what) { recorded.append(what); });
    seam(u"copy"_s);
    seam.replace({});
    seam(u"open"_s);
    QCOMPARE(recorded, QStringList{u"copy"_s});
    QCOMPARE(g_systemCalls, QStringList{u"open"_s});
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestReplaceableHandler)
#include "TestReplaceableHandler.moc"
