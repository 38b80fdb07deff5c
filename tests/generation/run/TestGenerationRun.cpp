#include "GeneratedMarkup.h"
#include "Generators.h"
#include "MarkupGeneration.h"
#include "RecordingHost.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// The frame around both gradients: checks, the conversation with the host, abort and hand-over.
class TestGenerationRun : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void completedRunConversation_data();
    void completedRunConversation();
    void abortDuringFirstTurnOfFiveCharacters();
    void abort_data();
    void abort();
    void abortFlagIsClearedAtTheStart_data();
    void abortFlagIsClearedAtTheStart();
    void lengthLimit_data();
    void lengthLimit();
    void handsOverAFreshResult_data();
    void handsOverAFreshResult();
    void generatePicksTheFormOfTheSettings_data();
    void generatePicksTheFormOfTheSettings();
    void workedExampleThroughTheGenerator();
    void everyCharacterIsEscapedOnItsOwn_data();
    void everyCharacterIsEscapedOnItsOwn();

private:
    static void run(bool bothSides, Module1& state, const GradientSettings& settings, RecordingHost& host);
    static qsizetype elementCount(const QString& markup);
};

void TestGenerationRun::run(bool bothSides, Module1& state, const GradientSettings& settings,
                            RecordingHost& host)
{
    if (bothSides)
        GenerateBothSidesSame(state, settings, host);
    else
        GenerateLeftToRight(state, settings, host);
}

qsizetype TestGenerationRun::elementCount(const QString& markup)
{
    return markup.count(u"<FONT COLOR=\"#"_s);
}

void TestGenerationRun::refusals_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    // What the one call of MarkupGeneration.h says the reason is.
    QTest::addColumn<int>("reason");

    const QString empty = u"文字列を指定してください！"_s;
    const QString single = u"1文字では実行できません！"_s;
    const QString tooShort = u"この文字数では実行できません！"_s;
    QString pairs;
    for (int i = 0; i < 16384; ++i)
        pairs += u"😀"_s;

    QTest::newRow("left to right, empty")
        << false << QString() << empty << int(MarkupOutcome::Refusal::EmptyText);
    QTest::newRow("left to right, one") << false << u"a"_s << single << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("left to right, one space")
        << false << u" "_s << single << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("left to right, one emoji")
        << false << u"😀"_s << single << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("left to right, 32768 units")
        << false << QString(32768, u'a') << empty << int(MarkupOutcome::Refusal::TooLong);
    QTest::newRow("left to right, 32768 units of pairs")
        << false << pairs << empty << int(MarkupOutcome::Refusal::TooLong);
    QTest::newRow("both sides, empty")
        << true << QString() << empty << int(MarkupOutcome::Refusal::EmptyText);
    QTest::newRow("both sides, one") << true << u"a"_s << tooShort << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("both sides, two") << true << u"ab"_s << tooShort << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("both sides, CR LF")
        << true << u"\r\n"_s << tooShort << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("both sides, one emoji")
        << true << u"😀"_s << tooShort << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("both sides, emoji and letter")
        << true << u"😀a"_s << tooShort << int(MarkupOutcome::Refusal::TooShort);
    QTest::newRow("both sides, 32768 units")
        << true << QString(32768, u'a') << empty << int(MarkupOutcome::Refusal::TooLong);
    QTest::newRow("both sides, 32768 units of pairs")
        << true << pairs << empty << int(MarkupOutcome::Refusal::TooLong);
}

void TestGenerationRun::refusals()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, reason);

    Module1 state;
    state.SourceText = text;
    state.ResultHtml = u"<B>earlier result</B>"_s;
    state.AbortRequested = true;
    RecordingHost host;
    GradientSettings settings;
    settings.bold = true;
    run(bothSides, state, settings, host);

    QCOMPARE(host.operations(), (QStringList{u"ShowMessage"_s, u"EnableMainWindow"_s}));
    QCOMPARE(host.calls().first().argument, message);
    QCOMPARE(state.ResultHtml, u"<B>earlier result</B>"_s);
    QCOMPARE(state.SourceText, text);
    QCOMPARE(state.AbortRequested, false);

    // The one call refuses the same text with the same message and names why.
    GradientSettings form = settings;
    form.form = bothSides ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    const MarkupOutcome outcome = generateMarkup(text, form);
    QVERIFY(!outcome.markup);
    QCOMPARE(outcome.message, message);
    QCOMPARE(int(outcome.refusal), reason);
    // And settings that cannot be written together before any text.
    form.extended.format = OutputFormat::Mfm;
    form.underline = true;
    const MarkupOutcome conflicting = generateMarkup(u"abc"_s, form);
    QCOMPARE(conflicting.refusal, MarkupOutcome::Refusal::Conflict);
    QCOMPARE(conflicting.conflict->setting, SettingsConflict::Setting::Underline);
}

void TestGenerationRun::completedRunConversation_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");

    QTest::newRow("left to right, two") << false << u"ab"_s;
    QTest::newRow("left to right, seven") << false << u"abcdefg"_s;
    QTest::newRow("left to right, with pairs") << false << u"😀x😀"_s;
    QTest::newRow("both sides, three") << true << u"abc"_s;
    QTest::newRow("both sides, eight") << true << u"abcdefgh"_s;
    QTest::newRow("both sides, nine") << true << u"abcdefghi"_s;
    QTest::newRow("both sides, with pairs") << true << u"😀x😀y"_s;
}

void TestGenerationRun::completedRunConversation()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, text);

    const qsizetype n = GeneratedMarkup::characters(text).size();
    Module1 state;
    state.SourceText = text;
    RecordingHost host;
    run(bothSides, state, GradientSettings(), host);

    // One progress text and one turn of the event loop per character, nothing else in between;
    // the main window stays disabled for the result window.
    QStringList expected{u"ShowProgress"_s};
    for (qsizetype i = 0; i < n; ++i)
        expected << u"SetProgressText"_s << u"PumpEvents"_s;
    expected << u"CloseProgress"_s << u"ShowResult"_s;
    QCOMPARE(host.operations(), expected);
    QCOMPARE(host.calls().last().argument, state.ResultHtml);
    QCOMPARE(host.arguments(u"SetProgressText"_s).last(), u"処理中...100%"_s);
    QCOMPARE(elementCount(state.ResultHtml), n);
}

void TestGenerationRun::abortDuringFirstTurnOfFiveCharacters()
{
    Module1 state;
    state.SourceText = u"abcde"_s;
    GradientSettings settings;
    settings.italic = true;
    settings.tagsAfter = u"<!--end-->"_s;
    settings.notation = Notation::Hexadecimal;
    settings.componentTexts = {u"FF"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"FF"_s};
    RecordingHost host;
    host.onPumpEvents = [&state](int turn) {
        if (turn == 1)
            state.AbortRequested = true;
    };
    GenerateLeftToRight(state, settings, host);

    QCOMPARE(host.operations(), (QStringList{u"ShowProgress"_s, u"SetProgressText"_s, u"PumpEvents"_s,
                                             u"SetProgressText"_s, u"CloseProgress"_s}));
    QCOMPARE(host.arguments(u"SetProgressText"_s), (QStringList{u"処理中...20%"_s, u"処理中...40%"_s}));
    QCOMPARE(state.ResultHtml,
             u"<I><FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#BF0040\">b</FONT><!--end--></I>"_s);
}

void TestGenerationRun::abort_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("abortTurn");

    // An abort clicked during turn k is noticed after character k + 1; during the last turn it
    // only stops the hand-over.
    QTest::newRow("left to right, first turn") << false << 5 << 1;
    QTest::newRow("left to right, third turn") << false << 5 << 3;
    QTest::newRow("left to right, last turn") << false << 5 << 5;
    QTest::newRow("both sides odd, first turn") << true << 5 << 1;
    QTest::newRow("both sides odd, left's last turn") << true << 5 << 2;
    QTest::newRow("both sides odd, right half") << true << 5 << 3;
    QTest::newRow("both sides even, first turn") << true << 6 << 1;
    QTest::newRow("both sides even, noticed at left's end") << true << 6 << 2;
    QTest::newRow("both sides even, left's last turn") << true << 6 << 3;
    QTest::newRow("both sides even, last turn") << true << 6 << 6;
}

void TestGenerationRun::abort()
{
    QFETCH(bool, bothSides);
    QFETCH(int, n);
    QFETCH(int, abortTurn);

    Module1 state;
    state.SourceText = QString(n, u'x');
    GradientSettings settings;
    settings.underline = true;
    RecordingHost host;
    host.onPumpEvents = [&state, abortTurn](int turn) {
        if (turn == abortTurn)
            state.AbortRequested = true;
    };
    run(bothSides, state, settings, host);

    const int emitted = std::min(abortTurn + 1, n);
    QCOMPARE(elementCount(state.ResultHtml), emitted);
    QVERIFY(state.ResultHtml.startsWith(u"<U><FONT COLOR"_s));
    QVERIFY(state.ResultHtml.endsWith(u"</FONT></U>"_s));
    QCOMPARE(host.count(u"SetProgressText"_s), emitted);
    QCOMPARE(host.count(u"PumpEvents"_s), abortTurn);
    QCOMPARE(host.count(u"ShowResult"_s), 0);
    QCOMPARE(host.count(u"ShowMessage"_s), 0);
    QCOMPARE(host.count(u"EnableMainWindow"_s), 0);
    QCOMPARE(host.operations().last(), u"CloseProgress"_s);
    QCOMPARE(host.operations().count(u"CloseProgress"_s), 1);
}

void TestGenerationRun::abortFlagIsClearedAtTheStart_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::newRow("left to right") << false;
    QTest::newRow("both sides") << true;
}

void TestGenerationRun::abortFlagIsClearedAtTheStart()
{
    QFETCH(bool, bothSides);
    Module1 state;
    state.SourceText = u"abcd"_s;
    state.AbortRequested = true; // left over from an aborted run
    RecordingHost host;
    run(bothSides, state, GradientSettings(), host);
    QCOMPARE(host.count(u"ShowResult"_s), 1);
    QCOMPARE(elementCount(state.ResultHtml), 4);
    QCOMPARE(state.AbortRequested, false);
}

void TestGenerationRun::lengthLimit_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QString pairsAndOne;
    for (int i = 0; i < 16383; ++i)
        pairsAndOne += u"𠮟"_s;
    pairsAndOne += u"a"_s;
    const QString mixed = QString(32767, u'あ');
    for (bool bothSides : {false, true}) {
        const char* form = bothSides ? "both sides" : "left to right";
        QTest::addRow("%s, 32767 units", form) << bothSides << mixed << true;
        QTest::addRow("%s, 32767 units with pairs", form) << bothSides << pairsAndOne << true;
        QTest::addRow("%s, 32768 units", form) << bothSides << QString(32768, u'a') << false;
        QTest::addRow("%s, 32768 units with pairs", form) << bothSides << pairsAndOne + u"b"_s << false;
    }
}

void TestGenerationRun::lengthLimit()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    Module1 state;
    state.SourceText = text;
    RecordingHost host;
    run(bothSides, state, GradientSettings(), host);
    // The one call draws the line at the same length, and gives the same markup.
    GradientSettings form;
    form.form = bothSides ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    const MarkupOutcome outcome = generateMarkup(text, form);
    QCOMPARE(outcome.markup.has_value(), accepted);
    if (!accepted) {
        QCOMPARE(host.arguments(u"ShowMessage"_s), QStringList{u"文字列を指定してください！"_s});
        QCOMPARE(host.count(u"ShowProgress"_s), 0);
        return;
    }
    QCOMPARE(host.count(u"ShowMessage"_s), 0);
    QCOMPARE(host.count(u"ShowResult"_s), 1);
    QCOMPARE(*outcome.markup, state.ResultHtml);
    const auto elements = GeneratedMarkup::readElements(state.ResultHtml, false);
    QVERIFY(elements.has_value());
    const QStringList characters = GeneratedMarkup::characters(text);
    QCOMPARE(elements->size(), characters.size());
    QString readBack;
    for (const auto& element : *elements)
        readBack += GeneratedMarkup::unescape(element.written);
    QCOMPARE(readBack, text);
}

void TestGenerationRun::handsOverAFreshResult_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::newRow("left to right") << false;
    QTest::newRow("both sides") << true;
}

void TestGenerationRun::handsOverAFreshResult()
{
    QFETCH(bool, bothSides);
    Module1 state;
    state.ResultHtml = u"stale markup from the previous run"_s;
    GradientSettings settings;
    settings.fontSize = 2;
    RecordingHost host;
    for (const QString& text : {u"first text"_s, u"second"_s}) {
        state.SourceText = text;
        run(bothSides, state, settings, host);
        QVERIFY(!state.ResultHtml.contains(u"stale"_s));
        QVERIFY(state.ResultHtml.startsWith(u"<FONT SIZE=\"2\"><FONT COLOR"_s));
        QCOMPARE(elementCount(state.ResultHtml), text.size());
        QCOMPARE(host.calls().last().operation, u"ShowResult"_s);
        QCOMPARE(host.calls().last().argument, state.ResultHtml);
    }
}

void TestGenerationRun::generatePicksTheFormOfTheSettings_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // the markup, or the message of a refusal

    const QString black = u"<FONT COLOR=\"#000000\">"_s;
    const QString white = u"<FONT COLOR=\"#FFFFFF\">"_s;
    QTest::newRow("left to right") << false << u"abcd"_s
                                   << black +
                                          u"a</FONT><FONT COLOR=\"#555555\">b</FONT>"
                                          u"<FONT COLOR=\"#AAAAAA\">c</FONT>"_s +
                                          white + u"d</FONT>"_s;
    QTest::newRow("both sides") << true << u"abcd"_s
                                << black + u"a</FONT>"_s + white + u"b</FONT>"_s + white + u"c</FONT>"_s +
                                       black + u"d</FONT>"_s;
    QTest::newRow("left to right refuses one") << false << u"a"_s << u"1文字では実行できません！"_s;
    QTest::newRow("both sides refuses one") << true << u"a"_s << u"この文字数では実行できません！"_s;
}

void TestGenerationRun::generatePicksTheFormOfTheSettings()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    Module1 state;
    state.SourceText = text;
    GradientSettings settings;
    settings.form = bothSides ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    settings.componentTexts = {u"0"_s, u"0"_s, u"0"_s, u"255"_s, u"255"_s, u"255"_s};
    RecordingHost host;
    Generate(state, settings, host);
    const QString& outcome =
        host.calls().first().operation == u"ShowMessage"_s ? host.calls().first().argument : state.ResultHtml;
    QCOMPARE(outcome, expected);
}

void TestGenerationRun::workedExampleThroughTheGenerator()
{
    Module1 state;
    state.SourceText = u"a b"_s;
    GradientSettings settings;
    settings.bold = true;
    settings.fontSize = 3;
    settings.lineBreaks = true;
    settings.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    RecordingHost host;
    GenerateLeftToRight(state, settings, host);
    QCOMPARE(state.ResultHtml,
             u"<B><FONT SIZE=\"3\">\r\n<FONT COLOR=\"#FF0000\">a</FONT>\r\n"
             u"<FONT COLOR=\"#800080\">&nbsp;</FONT>\r\n<FONT COLOR=\"#0000FF\">b</FONT>\r\n"
             u"</FONT></B>"_s);
    QCOMPARE(host.arguments(u"ShowResult"_s), QStringList{state.ResultHtml});
}

void TestGenerationRun::everyCharacterIsEscapedOnItsOwn_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("written");

    for (bool bothSides : {false, true}) {
        const char* form = bothSides ? "both sides" : "left to right";
        QTest::addRow("%s, an escape in the text", form)
            << bothSides << u"&lt;"_s << QStringList{u"&amp;"_s, u"l"_s, u"t"_s, u";"_s};
        QTest::addRow("%s, the four escaped characters", form)
            << bothSides << u"<>& "_s << QStringList{u"&lt;"_s, u"&gt;"_s, u"&amp;"_s, u"&nbsp;"_s};
        QTest::addRow("%s, CR LF bare", form)
            << bothSides << u"a\r\nb"_s << QStringList{u"a"_s, u"\r"_s, u"\n"_s, u"b"_s};
        QTest::addRow("%s, other blanks unchanged", form)
            << bothSides << u"\u3000\t\""_s << QStringList{u"\u3000"_s, u"\t"_s, u"\""_s};
        QTest::addRow("%s, pairs whole", form)
            << bothSides << u"😀 𠮟"_s << QStringList{u"😀"_s, u"&nbsp;"_s, u"𠮟"_s};
    }
}

void TestGenerationRun::everyCharacterIsEscapedOnItsOwn()
{
    QFETCH(bool, bothSides);
    QFETCH(QString, text);
    QFETCH(QStringList, written);

    Module1 state;
    state.SourceText = text;
    RecordingHost host;
    run(bothSides, state, GradientSettings(), host);
    const auto elements = GeneratedMarkup::readElements(state.ResultHtml, false);
    QVERIFY(elements.has_value());
    QStringList actual;
    for (const auto& element : *elements)
        actual.append(element.written);
    QCOMPARE(actual, written);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestGenerationRun)
#include "TestGenerationRun.moc"
