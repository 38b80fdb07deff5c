#include "ColourValues.h"
#include "Generators.h"
#include "RecordingHost.h"
#include "SettingsConflict.h"

#include <QRandomGenerator>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace huespan {

using SettingsEdit = std::function<void(GradientSettings&)>;

} // namespace huespan

Q_DECLARE_METATYPE(huespan::SettingsEdit)

namespace huespan {

// The extended engine through the run frame: the exact markup of every format, the plain
// arithmetic kept wherever it applies, the checks, progress and abort, and the conflicts.
class TestExtendedGeneration : public QObject
{
    Q_OBJECT

private slots:
    void exactMarkup_data();
    void exactMarkup();
    void defaultsTakeThePlainGenerators_data();
    void defaultsTakeThePlainGenerators();
    void extendedEngineKeepsThePlainArithmetic_data();
    void extendedEngineKeepsThePlainArithmetic();
    void refusalsCountColouredUnits_data();
    void refusalsCountColouredUnits();
    void progressAfterEveryUnit();
    void abortClosesTheOpenElement();
    void conflicts_data();
    void conflicts();

private:
    static GradientSettings redToBlue();
};

GradientSettings TestExtendedGeneration::redToBlue()
{
    GradientSettings settings;
    settings.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
    return settings;
}

void TestExtendedGeneration::exactMarkup_data()
{
    QTest::addColumn<SettingsEdit>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const auto boldSizeThree = [](GradientSettings& s, OutputFormat format) {
        s.bold = true;
        s.fontSize = 3;
        s.extended.format = format;
    };
    const QString esc = u"\x1b"_s;

    QTest::newRow("font")
        << SettingsEdit([&](GradientSettings& s) {
               boldSizeThree(s, OutputFormat::Font);
               s.extended.merge = true;
           })
        << u"a b"_s
        << u"<B><FONT SIZE=\"3\"><FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#800080\">&nbsp;</FONT>"
           u"<FONT COLOR=\"#0000FF\">b</FONT></FONT></B>"_s;
    QTest::newRow("span")
        << SettingsEdit([&](GradientSettings& s) { boldSizeThree(s, OutputFormat::Span); }) << u"a b"_s
        << u"<b><span style=\"font-size:medium\"><span style=\"color:#ff0000\">a</span>"
           u"<span style=\"color:#800080\">&nbsp;</span><span style=\"color:#0000ff\">b</span>"
           u"</span></b>"_s;
    QTest::newRow("span, heading, styles, tags")
        << SettingsEdit([](GradientSettings& s) {
               s.extended.format = OutputFormat::Span;
               s.italic = s.underline = s.strike = true;
               s.sizeMode = SizeMode::Heading;
               s.heading = 2;
               s.tagsBefore = u"<p>"_s;
               s.tagsAfter = u"</p>"_s;
           })
        << u"<&"_s
        << u"<i><u><s><h2><p><span style=\"color:#ff0000\">&lt;</span>"
           u"<span style=\"color:#0000ff\">&amp;</span></p></h2></s></u></i>"_s;
    QTest::newRow("span, size 7")
        << SettingsEdit([](GradientSettings& s) {
               s.extended.format = OutputFormat::Span;
               s.fontSize = 7;
           })
        << u"ab"_s
        << u"<span style=\"font-size:xxx-large\"><span style=\"color:#ff0000\">a</span>"
           u"<span style=\"color:#0000ff\">b</span></span>"_s;
    QTest::newRow("bbcode")
        << SettingsEdit([&](GradientSettings& s) { boldSizeThree(s, OutputFormat::Bbcode); }) << u"a <"_s
        << u"[b][size=3][color=#FF0000]a[/color][color=#800080] [/color][color=#0000FF]<[/color]"
           u"[/size][/b]"_s;
    QTest::newRow("ansi") << SettingsEdit([](GradientSettings& s) {
        s.bold = s.italic = s.underline = s.strike = true;
        s.extended.format = OutputFormat::Ansi;
    }) << u"a b"_s
                          << esc + u"[1m"_s + esc + u"[3m"_s + esc + u"[4m"_s + esc + u"[9m"_s + esc +
                                 u"[38;2;255;0;0ma"_s + esc + u"[38;2;128;0;128m "_s + esc +
                                 u"[38;2;0;0;255mb"_s + esc + u"[0m"_s;
    QTest::newRow("css")
        << SettingsEdit([&](GradientSettings& s) { boldSizeThree(s, OutputFormat::Css); }) << u"a b"_s
        << u"<b><span style=\"font-size:medium\"><span style=\"background-image:linear-gradient(to "
           u"right, #ff0000 0%, #0000ff 100%);-webkit-background-clip:text;background-clip:text;"
           u"color:transparent\">a&nbsp;b</span></span></b>"_s;
    QTest::newRow("css, oklch, mirrored, line breaks")
        << SettingsEdit([](GradientSettings& s) {
               s.form = GradientForm::BothSidesSame;
               s.extended.format = OutputFormat::Css;
               s.extended.space = ColourSpace::Oklch;
               s.extended.hue = HueInterpolation::Longer;
               s.extended.keepLineBreaks = true;
           })
        << u"a\r\nbc"_s
        << u"<span style=\"background-image:linear-gradient(in oklch "
           u"longer hue to right, #ff0000 0%, #0000ff 50%, #ff0000 "
           u"100%);-webkit-background-clip:text;background-clip:text;"
           u"color:transparent\">a<br>bc</span>"_s;
    QTest::newRow("css, stops reversed") << SettingsEdit([](GradientSettings& s) {
        s.extended.format = OutputFormat::Css;
        s.extended.stops = {{{255, 0, 0}, std::nullopt}, {{0, 255, 0}, 20.0}, {{0, 0, 255}, std::nullopt}};
        s.extended.reverse = true;
    }) << u"ab"_s
                                         << u"<span style=\"background-image:linear-gradient(to right, "
                                            u"#0000ff 0%, "
                                            u"#00ff00 80%, #ff0000 100%);-webkit-background-clip:text;"
                                            u"background-clip:text;color:transparent\">ab</span>"_s;
    // Positions are written with six significant digits, however many a stop's own position has.
    QTest::newRow("css, positions with many digits")
        << SettingsEdit([](GradientSettings& s) {
               s.extended.format = OutputFormat::Css;
               s.extended.stops = {{{255, 0, 0}, std::nullopt},
                                   {{0, 255, 0}, 12.345678},
                                   {{0, 0, 255}, 100.0 / 3.0},
                                   {{255, 255, 0}, std::nullopt},
                                   {{255, 255, 255}, std::nullopt}};
           })
        << u"ab"_s
        << u"<span style=\"background-image:linear-gradient(to right, #ff0000 0%, #00ff00 12.3457%, "
           u"#0000ff 33.3333%, #ffff00 66.6667%, #ffffff 100%);-webkit-background-clip:text;"
           u"background-clip:text;color:transparent\">ab</span>"_s;
    QTest::newRow("css, mirrored positions with many digits")
        << SettingsEdit([](GradientSettings& s) {
               s.form = GradientForm::BothSidesSame;
               s.extended.format = OutputFormat::Css;
               s.extended.stops = {
                   {{255, 0, 0}, std::nullopt}, {{0, 255, 0}, 12.345678}, {{0, 0, 255}, 200.0 / 3.0}};
           })
        << u"abc"_s
        << u"<span style=\"background-image:linear-gradient(to right, #ff0000 0%, #00ff00 6.17284%, "
           u"#0000ff 33.3333%, #0000ff 66.6667%, #00ff00 93.8272%, #ff0000 100%);"
           u"-webkit-background-clip:text;background-clip:text;color:transparent\">abc</span>"_s;
    QTest::newRow("merge") << SettingsEdit([](GradientSettings& s) {
        s.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"255"_s, u"0"_s, u"0"_s};
        s.extended.merge = true;
        s.lineBreaks = true;
    }) << u"aaaa"_s << u"\r\n<FONT COLOR=\"#FF0000\">aaaa</FONT>\r\n"_s;
    QTest::newRow("merge runs of equal colours") << SettingsEdit([](GradientSettings& s) {
        s.componentTexts = {u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s};
        s.extended.format = OutputFormat::Bbcode;
        s.extended.merge = true;
    }) << u"abcde"_s << u"[color=#000000]abc[/color][color=#000001]de[/color]"_s;
    QTest::newRow("skip white space")
        << SettingsEdit([](GradientSettings& s) { s.extended.skipWhitespace = true; }) << u"a \u3000b"_s
        << u"<FONT COLOR=\"#FF0000\">a</FONT>&nbsp;\u3000<FONT COLOR=\"#0000FF\">b</FONT>"_s;
    QTest::newRow("keep line breaks")
        << SettingsEdit([](GradientSettings& s) {
               s.extended.keepLineBreaks = true;
               s.lineBreaks = true;
           })
        << u"a\r\nb"_s
        << u"\r\n<FONT COLOR=\"#FF0000\">a</FONT>\r\n<BR>\r\n<FONT COLOR=\"#0000FF\">b</FONT>\r\n"_s;
    QTest::newRow("keep line breaks, bbcode") << SettingsEdit([](GradientSettings& s) {
        s.extended.keepLineBreaks = true;
        s.extended.format = OutputFormat::Bbcode;
    }) << u"a\rb\n"_s << u"[color=#FF0000]a[/color]\n[color=#0000FF]b[/color]\n"_s;
    QTest::newRow("reverse") << SettingsEdit([](GradientSettings& s) { s.extended.reverse = true; })
                             << u"abc"_s
                             << u"<FONT COLOR=\"#0000FF\">a</FONT><FONT COLOR=\"#800080\">b</FONT>"
                                u"<FONT COLOR=\"#FF0000\">c</FONT>"_s;
    QTest::newRow("graphemes")
        << SettingsEdit([](GradientSettings& s) { s.extended.unit = TextUnit::Grapheme; })
        << u"e\u0301<\u0338"_s
        << u"<FONT COLOR=\"#FF0000\">e\u0301</FONT><FONT COLOR=\"#0000FF\">&lt;\u0338</FONT>"_s;
    QTest::newRow("three stops in sRGB")
        << SettingsEdit([](GradientSettings& s) {
               s.extended.stops = {
                   {{255, 0, 0}, std::nullopt}, {{0, 0, 255}, std::nullopt}, {{0, 255, 0}, std::nullopt}};
               s.extended.format = OutputFormat::Bbcode;
           })
        << u"abcde"_s
        << u"[color=#FF0000]a[/color][color=#800080]b[/color][color=#0000FF]c[/color]"
           u"[color=#008080]d[/color][color=#00FF00]e[/color]"_s;
    QTest::newRow("two stops mirrored")
        << SettingsEdit([](GradientSettings& s) {
               s.form = GradientForm::BothSidesSame;
               s.extended.stops = {{{255, 0, 0}, std::nullopt}, {{0, 0, 255}, std::nullopt}};
               s.extended.format = OutputFormat::Bbcode;
           })
        << u"abcd"_s
        << u"[color=#FF0000]a[/color][color=#5500AA]b[/color][color=#5500AA]c[/color]"
           u"[color=#FF0000]d[/color]"_s;
}

void TestExtendedGeneration::exactMarkup()
{
    QFETCH(SettingsEdit, edit);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    GradientSettings settings = redToBlue();
    edit(settings);
    QVERIFY(!settings.extended.isDefault());
    Module1 state;
    state.SourceText = text;
    RecordingHost host;
    Generate(state, settings, host);
    QCOMPARE(state.ResultHtml, expected);
    QCOMPARE(host.arguments(u"ShowResult"_s), QStringList{expected});
}

void TestExtendedGeneration::defaultsTakeThePlainGenerators_data()
{
    QTest::addColumn<bool>("bothSides");
    QTest::addColumn<QString>("text");
    QTest::newRow("left to right") << false << u"Huespan <&> グラデーション 😀\r\n"_s;
    QTest::newRow("both sides") << true << u"Huespan <&> グラデーション 😀\r\n"_s;
    QTest::newRow("both sides, refused") << true << u"ab"_s;
}

void TestExtendedGeneration::defaultsTakeThePlainGenerators()
{
    // With every new setting at its default, Generate holds exactly the plain generator's
    // conversation with the host: the same markup, the same progress texts, the same messages.
    QFETCH(bool, bothSides);
    QFETCH(QString, text);
    GradientSettings settings = redToBlue();
    settings.form = bothSides ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    settings.lineBreaks = true;
    QVERIFY(settings.extended.isDefault());

    Module1 viaGenerate;
    viaGenerate.SourceText = text;
    RecordingHost generateHost;
    Generate(viaGenerate, settings, generateHost);

    Module1 direct;
    direct.SourceText = text;
    RecordingHost directHost;
    if (bothSides)
        GenerateBothSidesSame(direct, settings, directHost);
    else
        GenerateLeftToRight(direct, settings, directHost);

    QCOMPARE(viaGenerate.ResultHtml, direct.ResultHtml);
    QCOMPARE(viaGenerate.SourceText, direct.SourceText);
    QCOMPARE(generateHost.operations(), directHost.operations());
    QCOMPARE(generateHost.arguments(u"SetProgressText"_s), directHost.arguments(u"SetProgressText"_s));
    QCOMPARE(generateHost.arguments(u"ShowMessage"_s), directHost.arguments(u"ShowMessage"_s));
}

void TestExtendedGeneration::extendedEngineKeepsThePlainArithmetic_data()
{
    QTest::addColumn<SettingsEdit>("edit");
    QTest::addColumn<bool>("bothSidesToo");

    QTest::newRow("graphemes of single characters")
        << SettingsEdit([](GradientSettings& s) { s.extended.unit = TextUnit::Grapheme; }) << true;
    QTest::newRow("nothing to skip or keep") << SettingsEdit([](GradientSettings& s) {
        s.extended.skipWhitespace = true;
        s.extended.keepLineBreaks = true;
    }) << true;
    QTest::newRow("two stops at the ends, in sRGB") << SettingsEdit([](GradientSettings& s) {
        const auto [first, second] = ReadColours(s);
        s.extended.stops = {{first, std::nullopt}, {second, 100.0}};
    }) << false;
    QTest::newRow("reversed twice over: second to first, reversed") << SettingsEdit([](GradientSettings& s) {
        const auto [first, second] = ReadColours(s);
        s.extended.stops = {{second, 0.0}, {first, 100.0}};
        s.extended.reverse = true;
        s.extended.space = ColourSpace::Srgb;
    }) << false;
}

void TestExtendedGeneration::extendedEngineKeepsThePlainArithmetic()
{
    // Texts without white space, line breaks or clusters of several characters: the extended
    // engine must then write what the plain generators write, byte for byte, in both forms.
    QFETCH(SettingsEdit, edit);
    QFETCH(bool, bothSidesToo);
    static const QStringList pool{u"a"_s, u"Z"_s, u"あ"_s, u"漢"_s, u"<"_s, u">"_s, u"&"_s, u"😀"_s, u"\""_s};
    QRandomGenerator random(77u);
    for (int round = 0; round < 300; ++round) {
        GradientSettings plain;
        plain.form =
            bothSidesToo && random.bounded(2u) == 1 ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
        for (QString& component : plain.componentTexts)
            component = QString::number(random.bounded(256u));
        plain.bold = random.bounded(2u) == 1;
        plain.lineBreaks = random.bounded(2u) == 1;
        plain.fontSize = random.bounded(2u) == 1 ? std::optional<int>(4) : std::nullopt;
        // Long texts reach the spans where the arithmetic rounds near halves.
        const int length = round < 10 ? 9000 + int(random.bounded(9000u)) : 6 + int(random.bounded(60u));
        QString text;
        while (text.size() < length)
            text += pool[qsizetype(random.bounded(quint32(pool.size())))];

        GradientSettings extended = plain;
        edit(extended);
        QVERIFY(!extended.extended.isDefault());
        const QString expected = RecordingHost::markupFor(plain, text);
        QVERIFY2(!expected.isEmpty(), qPrintable(u"round %1, length %2"_s.arg(round).arg(text.size())));
        QVERIFY2(RecordingHost::markupFor(extended, text) == expected,
                 qPrintable(u"round %1, length %2"_s.arg(round).arg(text.size())));
    }
}

void TestExtendedGeneration::refusalsCountColouredUnits_data()
{
    QTest::addColumn<SettingsEdit>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: the text is generated

    const QString empty = u"文字列を指定してください！"_s;
    const QString single = u"1文字では実行できません！"_s;
    const QString tooShort = u"この文字数では実行できません！"_s;
    const SettingsEdit graphemes = [](GradientSettings& s) { s.extended.unit = TextUnit::Grapheme; };
    const SettingsEdit graphemesBothSides = [](GradientSettings& s) {
        s.extended.unit = TextUnit::Grapheme;
        s.form = GradientForm::BothSidesSame;
    };
    const SettingsEdit skip = [](GradientSettings& s) { s.extended.skipWhitespace = true; };
    const SettingsEdit keep = [](GradientSettings& s) { s.extended.keepLineBreaks = true; };
    const SettingsEdit span = [](GradientSettings& s) { s.extended.format = OutputFormat::Span; };
    const QString flag = u"\U0001F1EF\U0001F1F5"_s;
    const QString family = u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s;

    QTest::newRow("a lone flag") << graphemes << flag << single;
    QTest::newRow("a lone family") << graphemes << family << single;
    QTest::newRow("a letter and its accent") << graphemes << u"e\u0301"_s << single;
    QTest::newRow("two flags") << graphemes << flag + flag << QString();
    QTest::newRow("both sides, two clusters") << graphemesBothSides << family + flag << tooShort;
    QTest::newRow("both sides, three clusters")
        << graphemesBothSides << family + flag + u"e\u0301"_s << QString();
    QTest::newRow("only white space") << skip << u" \t\u3000\r\n"_s << empty;
    QTest::newRow("one letter among blanks") << skip << u"  a  "_s << single;
    QTest::newRow("only line breaks") << keep << u"\r\n\n\r"_s << empty;
    QTest::newRow("32768 code units") << span << QString(32768, u'a') << empty;
    QTest::newRow("32767 code units") << span << QString(32767, u'a') << QString();
    QTest::newRow("empty") << span << QString() << empty;
}

void TestExtendedGeneration::refusalsCountColouredUnits()
{
    QFETCH(SettingsEdit, edit);
    QFETCH(QString, text);
    QFETCH(QString, message);

    GradientSettings settings = redToBlue();
    edit(settings);
    Module1 state;
    state.SourceText = text;
    state.ResultHtml = u"kept"_s;
    RecordingHost host;
    Generate(state, settings, host);
    if (message.isEmpty()) {
        QCOMPARE(host.count(u"ShowResult"_s), 1);
        return;
    }
    QCOMPARE(host.operations(), (QStringList{u"ShowMessage"_s, u"EnableMainWindow"_s}));
    QCOMPARE(host.arguments(u"ShowMessage"_s), QStringList{message});
    QCOMPARE(state.ResultHtml, u"kept"_s);
}

void TestExtendedGeneration::progressAfterEveryUnit()
{
    GradientSettings settings = redToBlue();
    settings.extended.unit = TextUnit::Grapheme;
    settings.extended.keepLineBreaks = true;
    settings.extended.skipWhitespace = true;
    Module1 state;
    state.SourceText = u"\U0001F1EF\U0001F1F5 a\r\nb"_s; // five units: flag, blank, a, line break, b
    RecordingHost host;
    Generate(state, settings, host);

    QStringList expected{u"ShowProgress"_s};
    for (int unit = 0; unit < 5; ++unit)
        expected << u"SetProgressText"_s << u"PumpEvents"_s;
    expected << u"CloseProgress"_s << u"ShowResult"_s;
    QCOMPARE(host.operations(), expected);
    QCOMPARE(host.arguments(u"SetProgressText"_s),
             (QStringList{u"処理中...20%"_s, u"処理中...40%"_s, u"処理中...60%"_s, u"処理中...80%"_s,
                          u"処理中...100%"_s}));
}

void TestExtendedGeneration::abortClosesTheOpenElement()
{
    GradientSettings settings = redToBlue();
    settings.componentTexts = {u"9"_s, u"9"_s, u"9"_s, u"9"_s, u"9"_s, u"9"_s};
    settings.extended.merge = true;
    settings.extended.format = OutputFormat::Span;
    settings.bold = true;
    Module1 state;
    state.SourceText = u"abcdef"_s;
    RecordingHost host;
    host.onPumpEvents = [&state](int turn) {
        if (turn == 1)
            state.AbortRequested = -1;
    };
    Generate(state, settings, host);
    // The abort clicked during the first turn is noticed after the second unit.
    QCOMPARE(state.ResultHtml, u"<b><span style=\"color:#090909\">ab</span></b>"_s);
    QCOMPARE(host.count(u"ShowResult"_s), 0);
    QCOMPARE(host.operations().last(), u"CloseProgress"_s);
}

void TestExtendedGeneration::conflicts_data()
{
    QTest::addColumn<SettingsEdit>("edit");
    QTest::addColumn<bool>("page");
    QTest::addColumn<int>("setting"); // -1: no conflict

    using Setting = SettingsConflict::Setting;
    const auto format = [](OutputFormat f, const SettingsEdit& more = {}) {
        return SettingsEdit([f, more](GradientSettings& s) {
            s.extended.format = f;
            if (more)
                more(s);
        });
    };
    const SettingsEdit heading = [](GradientSettings& s) {
        s.sizeMode = SizeMode::Heading;
        s.heading = 1;
    };
    const SettingsEdit size = [](GradientSettings& s) { s.fontSize = 2; };
    const SettingsEdit lineBreaks = [](GradientSettings& s) { s.lineBreaks = true; };

    QTest::newRow("defaults") << format(OutputFormat::Font) << true << -1;
    QTest::newRow("bbcode with a heading")
        << format(OutputFormat::Bbcode, heading) << false << int(Setting::Heading);
    QTest::newRow("ansi with a heading")
        << format(OutputFormat::Ansi, heading) << false << int(Setting::Heading);
    QTest::newRow("span with a heading") << format(OutputFormat::Span, heading) << true << -1;
    QTest::newRow("bbcode with a size") << format(OutputFormat::Bbcode, size) << false << -1;
    QTest::newRow("ansi with a size") << format(OutputFormat::Ansi, size) << false << int(Setting::FontSize);
    QTest::newRow("ansi, size list in heading mode") << format(OutputFormat::Ansi, [](GradientSettings& s) {
        s.fontSize = 2;
        s.sizeMode = SizeMode::Heading;
    }) << false << -1;
    QTest::newRow("bbcode page") << format(OutputFormat::Bbcode) << true << int(Setting::Page);
    QTest::newRow("ansi page") << format(OutputFormat::Ansi) << true << int(Setting::Page);
    QTest::newRow("css page") << format(OutputFormat::Css, heading) << true << -1;
    QTest::newRow("bbcode line breaks")
        << format(OutputFormat::Bbcode, lineBreaks) << false << int(Setting::LineBreaks);
    QTest::newRow("one stop") << format(OutputFormat::Span, [](GradientSettings& s) {
        s.extended.stops = {{{1, 2, 3}, std::nullopt}};
    }) << false << int(Setting::SingleStop);
}

void TestExtendedGeneration::conflicts()
{
    QFETCH(SettingsEdit, edit);
    QFETCH(bool, page);
    QFETCH(int, setting);
    GradientSettings settings;
    edit(settings);
    const std::optional<SettingsConflict> conflict = findSettingsConflict(settings, page);
    if (setting < 0) {
        QVERIFY(!conflict);
        return;
    }
    QVERIFY(conflict);
    QCOMPARE(int(conflict->setting), setting);
    QCOMPARE(conflict->format, settings.extended.format);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestExtendedGeneration)
#include "TestExtendedGeneration.moc"
