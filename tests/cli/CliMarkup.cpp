#include "CliMarkup.h"

#include "CliProcess.h"
#include "RecordingHost.h"

#include <QTest>

namespace huespan {

void verifyMarkupMatchesCore(const QStringList& arguments, const QString& text, const SettingsEdit& edit)
{
    GradientSettings settings;
    edit(settings);
    const QString expected = RecordingHost::markupFor(settings, text);
    QVERIFY(!expected.isEmpty());

    const CliOutcome outcome = CliProcess::run(arguments + QStringList{text});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.standardError, QByteArray());
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QString::fromUtf8(outcome.standardOutput), expected);
    QCOMPARE(outcome.standardOutput, expected.toUtf8());
}

} // namespace huespan
