#include "CliHelpOptions.h"
#include "StartedProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

namespace {

const QString kBashCompletion = QStringLiteral(HUESPAN_SOURCE_DIR "/data/completions/huespan-cli.bash");
const QString kZshCompletion = QStringLiteral(HUESPAN_SOURCE_DIR "/data/completions/_huespan-cli");

// The environment in which the built huespan-cli is the one on the PATH.
QProcessEnvironment completionEnvironment()
{
    QProcessEnvironment environment = StartedProcess::withoutDisplay();
    environment.insert(u"PATH"_s, QFileInfo(QStringLiteral(HUESPAN_CLI_PATH)).absolutePath() + u':' +
                                      environment.value(u"PATH"_s));
    return environment;
}

// Runs the bash completion function on the words of a command line whose last word is being
// typed, in folder, and returns what it offers.
QStringList bashCompletions(const QStringList& words, const QString& folder)
{
    // The words reach bash as arguments, so that no quoting of them is needed here.
    const QString script = uR"(
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
        _huespan_cli
        printf '%s\n' "${COMPREPLY[@]}"
    )"_s;
    QProcessEnvironment environment = completionEnvironment();
    const ProcessOutcome outcome = StartedProcess::run(
        u"bash"_s, QStringList{u"-c"_s, u"cd \"$0\" && "_s + script, folder, kBashCompletion} + words,
        environment, 60'000);
    if (!outcome.finishedNormally || outcome.exitCode != 0)
        return {u"(bash failed: "_s + QString::fromUtf8(outcome.standardError) + u')'};
    QStringList offered = QString::fromUtf8(outcome.standardOutput).split(u'\n', Qt::SkipEmptyParts);
    offered.sort();
    return offered;
}

QStringList sortedHelpOptions()
{
    QStringList options = cliHelpOptions();
    options.sort();
    return options;
}

int cliExitCode(const QStringList& arguments)
{
    return StartedProcess::run(QStringLiteral(HUESPAN_CLI_PATH), arguments, completionEnvironment(), 60'000)
        .exitCode;
}

} // namespace

class TestCompletion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bashOffers_data();
    void bashOffers();
    void bashOffersEveryOption();
    void offeredValuesAreAccepted_data();
    void offeredValuesAreAccepted();
    void zshSpecifiesEveryOption();

private:
    QTemporaryDir m_folder;
};

void TestCompletion::initTestCase()
{
    QVERIFY(m_folder.isValid());
    for (const QString& name : {u"title.txt"_s, u"preview.htm"_s, u"page one.htm"_s}) {
        QFile file(m_folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(m_folder.path()).mkdir(u"pages"_s));
}

void TestCompletion::bashOffers_data()
{
    QTest::addColumn<QStringList>("words");
    // Offered exactly, in sorted order; a leading "+" only requires the value among the offers.
    QTest::addColumn<QStringList>("offered");

    const QStringList forms{u"both-sides-same"_s, u"left-to-right"_s};
    QTest::newRow("option prefix") << QStringList{u"huespan-cli"_s, u"--fir"_s} << QStringList{u"--first"_s};
    QTest::newRow("short option") << QStringList{u"huespan-cli"_s, u"-o"_s} << QStringList{u"-o"_s};
    QTest::newRow("forms") << QStringList{u"huespan-cli"_s, u"--form"_s, u""_s} << forms;
    QTest::newRow("form prefix") << QStringList{u"huespan-cli"_s, u"--bold"_s, u"--form"_s, u"b"_s}
                                 << QStringList{u"both-sides-same"_s};
    QTest::newRow("form after =") << QStringList{u"huespan-cli"_s, u"--form"_s, u"="_s, u"l"_s}
                                  << QStringList{u"left-to-right"_s};
    QTest::newRow("form right after =") << QStringList{u"huespan-cli"_s, u"--form"_s, u"="_s} << forms;
    QTest::newRow("encoding prefix") << QStringList{u"huespan-cli"_s, u"--encoding"_s, u"CP93"_s}
                                     << QStringList{u"+CP932"_s};
    QTest::newRow("Japanese encodings")
        << QStringList{u"huespan-cli"_s, u"--encoding"_s, u"EUC-J"_s} << QStringList{u"+EUC-JP"_s};
    QTest::newRow("output file") << QStringList{u"huespan-cli"_s, u"-o"_s, u"pre"_s}
                                 << QStringList{u"preview.htm"_s};
    QTest::newRow("output file, long option") << QStringList{u"huespan-cli"_s, u"--output"_s, u"p"_s}
                                              << QStringList{u"page one.htm"_s, u"pages"_s, u"preview.htm"_s};
    QTest::newRow("number value") << QStringList{u"huespan-cli"_s, u"--size"_s, u""_s} << QStringList{};
    QTest::newRow("colour value") << QStringList{u"huespan-cli"_s, u"--first"_s, u"2"_s} << QStringList{};
    QTest::newRow("text") << QStringList{u"huespan-cli"_s, u"--bold"_s, u"ti"_s} << QStringList{};
    QTest::newRow("after --") << QStringList{u"huespan-cli"_s, u"--"_s, u"--f"_s} << QStringList{};
    QTest::newRow("unknown option") << QStringList{u"huespan-cli"_s, u"--colour"_s, u""_s} << QStringList{};
}

void TestCompletion::bashOffers()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, offered);

    const QStringList got = bashCompletions(words, m_folder.path());
    if (!offered.isEmpty() && offered.constFirst().startsWith(u'+')) {
        QVERIFY2(got.contains(offered.constFirst().mid(1)), qPrintable(got.join(u' ')));
        return;
    }
    QCOMPARE(got, offered);
}

// Options the program gains complete without an edit of the completion.
void TestCompletion::bashOffersEveryOption()
{
    const QStringList options = sortedHelpOptions();
    QVERIFY(options.size() >= 10);
    QCOMPARE(bashCompletions({u"huespan-cli"_s, u"-"_s}, m_folder.path()), options);
}

void TestCompletion::offeredValuesAreAccepted_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("value");

    for (const QString& form : bashCompletions({u"huespan-cli"_s, u"--form"_s, u""_s}, m_folder.path()))
        QTest::addRow("--form %s", qPrintable(form)) << u"--form"_s << form;
    for (const QString& encoding :
         bashCompletions({u"huespan-cli"_s, u"--encoding"_s, u"SHIFT"_s}, m_folder.path()))
        QTest::addRow("--encoding %s", qPrintable(encoding)) << u"--encoding"_s << encoding;
}

// What the completion offers, the program takes.
void TestCompletion::offeredValuesAreAccepted()
{
    QFETCH(QString, option);
    QFETCH(QString, value);

    QCOMPARE(cliExitCode({option, value, u"abc"_s}), 0);
}

// The zsh completion builds one _arguments spec per option name of --help.
void TestCompletion::zshSpecifiesEveryOption()
{
    if (QStandardPaths::findExecutable(u"zsh"_s).isEmpty())
        QSKIP("zsh is not installed (scripts/setup-debian.sh installs it)");
    const QString script = uR"(
        setopt extendedglob
        _arguments() { print -rl -- "$@" }
        words=(huespan-cli)
        source "$1"
    )"_s;
    const ProcessOutcome outcome = StartedProcess::run(u"zsh"_s, {u"-c"_s, script, u"zsh"_s, kZshCompletion},
                                                       completionEnvironment(), 60'000);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.standardError, QByteArray());
    QStringList specified;
    QString formSpec;
    for (const QString& spec : QString::fromUtf8(outcome.standardOutput).split(u'\n', Qt::SkipEmptyParts)) {
        if (!spec.startsWith(u'('))
            continue;
        QString name = spec.section(u')', 1).section(u'[', 0, 0);
        if (name.endsWith(u'='))
            name.chop(1);
        specified.append(name);
        if (name == u"--form"_s)
            formSpec = spec;
    }
    specified.sort();
    QCOMPARE(specified, sortedHelpOptions());
    // The forms are those the bash completion finds in the program's refusal.
    QVERIFY2(formSpec.contains(u":FORM:("_s) && formSpec.endsWith(u')'), qPrintable(formSpec));
    QStringList forms = formSpec.section(u":FORM:("_s, 1).chopped(1).split(u' ');
    forms.sort();
    QCOMPARE(forms, bashCompletions({u"huespan-cli"_s, u"--form"_s, u""_s}, m_folder.path()));
}

QTEST_GUILESS_MAIN(TestCompletion)
#include "TestCompletion.moc"
