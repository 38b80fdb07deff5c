#include "CliMarkup.h"
#include "CliProcess.h"
#include "ColourSpace.h"
#include "ContrastFloor.h"
#include "FormattedMarkup.h"
#include "GradientPresets.h"
#include "GradientSettings.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace huespan;

// The options beyond the plain markup: stops, spaces, presets, units, formats and compact output,
// as a user meets them on the command line.
class TestCliExtended : public QObject
{
    Q_OBJECT

private slots:
    void usageErrors_data();
    void usageErrors();
    void markupMatchesCore_data();
    void markupMatchesCore();
    void listPresets();
    void everyPresetRuns();
    void rainbowRunsRoundTheCircle();
    void mergeShrinksTheLongestText();
    void sharedStopPositions_data();
    void sharedStopPositions();
    void textCannotSteerTheTerminal_data();
    void textCannotSteerTheTerminal();
    void textCannotFormBbcodeTags_data();
    void textCannotFormBbcodeTags();
    void contrastFloorAndReport();
};

void TestCliExtended::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const auto row = [](const char* name, const QStringList& arguments, const QString& message) {
        QTest::newRow(name) << arguments << message;
    };
    const QString sources = u"cannot be combined: give the colours by --first and --second, by --stop, by "
                            u"--rainbow or by --preset"_s;
    row("stop and first",
        {u"--stop"_s, u"ff0000"_s, u"--stop"_s, u"0000ff"_s, u"--first"_s, u"1,2,3"_s, u"ab"_s},
        u"--first and --stop "_s + sources);
    row("stop and second",
        {u"--second"_s, u"1,2,3"_s, u"--stop"_s, u"ff0000"_s, u"--stop"_s, u"00f000"_s, u"ab"_s},
        u"--second and --stop "_s + sources);
    row("stop and rainbow", {u"--rainbow"_s, u"--stop"_s, u"ff0000"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop and --rainbow "_s + sources);
    row("rainbow and preset", {u"--rainbow"_s, u"--preset"_s, u"ocean"_s, u"ab"_s},
        u"--rainbow and --preset "_s + sources);
    row("first and preset", {u"--first"_s, u"1,2,3"_s, u"--preset"_s, u"ocean"_s, u"ab"_s},
        u"--first and --preset "_s + sources);
    row("one stop", {u"--stop"_s, u"ff0000"_s, u"ab"_s},
        u"--stop: a gradient needs at least two stops, 1 given"_s);
    row("stop not a colour", {u"--stop"_s, u"red"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: \"red\" is not a colour #RRGGBB, RRGGBB or R,G,B"_s);
    row("stop of five digits", {u"--stop"_s, u"#ff000"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: \"#ff000\" is not a colour #RRGGBB, RRGGBB or R,G,B"_s);
    row("stop with two hashes", {u"--stop"_s, u"##ff0000"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: \"##ff0000\" is not a colour #RRGGBB, RRGGBB or R,G,B"_s);
    row("stop component out of range", {u"--stop"_s, u"256,0,0"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: component \"256\" is out of range 0-255"_s);
    row("stop of two components", {u"--stop"_s, u"1,2"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: \"1,2\" is not three components R,G,B"_s);
    row("stop position above 100", {u"--stop"_s, u"ff0000@101"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: position \"101\" of \"ff0000@101\" is not a percentage from 0 to 100"_s);
    row("stop position negative", {u"--stop"_s, u"ff0000@-5"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: position \"-5\" of \"ff0000@-5\" is not a percentage from 0 to 100"_s);
    row("stop position empty", {u"--stop"_s, u"ff0000@"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: position \"\" of \"ff0000@\" is not a percentage from 0 to 100"_s);
    row("stop position with exponent", {u"--stop"_s, u"ff0000@1e1"_s, u"--stop"_s, u"0000ff"_s, u"ab"_s},
        u"--stop: position \"1e1\" of \"ff0000@1e1\" is not a percentage from 0 to 100"_s);
    row("unknown preset", {u"--preset"_s, u"plaid"_s, u"ab"_s},
        u"--preset: unknown preset \"plaid\" (huespan-cli --list-presets shows them)"_s);
    row("unknown space", {u"--space"_s, u"cmyk"_s, u"ab"_s},
        u"--space: unknown colour space \"cmyk\" (use srgb, linear-srgb, oklab, oklch or hsl)"_s);
    row("unknown hue", {u"--hue"_s, u"sideways"_s, u"ab"_s},
        u"--hue: unknown hue interpolation \"sideways\" (use shorter, longer, increasing or decreasing)"_s);
    row("unknown unit", {u"--unit"_s, u"word"_s, u"ab"_s},
        u"--unit: unknown unit \"word\" (use code-point or grapheme)"_s);
    row("unknown format", {u"--format"_s, u"markdown"_s, u"ab"_s},
        u"--format: unknown format \"markdown\" (use font, span, bbcode, ansi, css, minimessage, "
        u"minecraft-hex, minecraft-section, minecraft-json, "
        u"mfm or pango)"_s);
    row("heading with bbcode", {u"--format"_s, u"bbcode"_s, u"--heading"_s, u"2"_s, u"ab"_s},
        u"--heading cannot be used with --format bbcode: a message board has no headings"_s);
    row("heading with ansi", {u"--heading"_s, u"H1"_s, u"--format"_s, u"ansi"_s, u"ab"_s},
        u"--heading cannot be used with --format ansi: a terminal has no headings"_s);
    row("size with ansi", {u"--format"_s, u"ansi"_s, u"--size"_s, u"3"_s, u"ab"_s},
        u"--size cannot be used with --format ansi: a terminal has no font sizes"_s);
    row("heading with pango", {u"--format"_s, u"pango"_s, u"--heading"_s, u"1"_s, u"ab"_s},
        u"--heading cannot be used with --format pango: Pango markup has no headings"_s);
    row("size with minimessage", {u"--format"_s, u"minimessage"_s, u"--size"_s, u"3"_s, u"ab"_s},
        u"--size cannot be used with --format minimessage: Minecraft chat has no font sizes"_s);
    row("underline with mfm", {u"--format"_s, u"mfm"_s, u"--underline"_s, u"ab"_s},
        u"--underline cannot be used with --format mfm: an MFM note has no underline"_s);
    row("page with minecraft-json", {u"--format"_s, u"minecraft-json"_s, u"--page"_s, u"0,0,0"_s, u"ab"_s},
        u"--page cannot be used with --format minecraft-json: the preview page is HTML"_s);
    row("line breaks with pango", {u"--format"_s, u"pango"_s, u"--line-breaks"_s, u"ab"_s},
        u"--line-breaks cannot be used with --format pango: Pango markup would show the line breaks in the text"_s);
    row("unknown line mode", {u"--lines"_s, u"rows"_s, u"ab"_s},
        u"--lines: unknown mode \"rows\" (use whole, each or columns)"_s);
    row("page with bbcode", {u"--format"_s, u"bbcode"_s, u"--page"_s, u"0,0,0"_s, u"ab"_s},
        u"--page cannot be used with --format bbcode: the preview page is HTML"_s);
    row("page with ansi", {u"--format"_s, u"ansi"_s, u"--page"_s, u"0,0,0"_s, u"ab"_s},
        u"--page cannot be used with --format ansi: the preview page is HTML"_s);
    row("line breaks with bbcode", {u"--format"_s, u"bbcode"_s, u"--line-breaks"_s, u"ab"_s},
        u"--line-breaks cannot be used with --format bbcode: a message board would show the line breaks in "
        u"the "
        u"text"_s);
    const QString needsBackground = u" needs a background: give --background COLOUR or --page R,G,B"_s;
    row("floor without background", {u"--min-contrast"_s, u"4.5"_s, u"ab"_s},
        u"--min-contrast"_s + needsBackground);
    row("report without background", {u"--check-contrast"_s, u"ab"_s},
        u"--check-contrast"_s + needsBackground);
    const QString notRatio = u" is not a contrast ratio from 1 to 21 (such as 4.5 or 4.5:1)"_s;
    for (const char* ratio : {"0.99", "21.01", "-3", "4,5", "4.5:2", "1e1", "", "nan", "."}) {
        row(qPrintable(u"floor "_s + QLatin1StringView(ratio)),
            {u"--background"_s, u"fff"_s + u"fff"_s, u"--min-contrast"_s, QLatin1StringView(ratio), u"ab"_s},
            u"--min-contrast: \""_s + QLatin1StringView(ratio) + u'"' + notRatio);
    }
    row("background with a position", {u"--background"_s, u"#ffffff@50"_s, u"--check-contrast"_s, u"ab"_s},
        u"--background: \"#ffffff@50\" is not a colour #RRGGBB, RRGGBB or R,G,B"_s);
    row("background and page", {u"--background"_s, u"#ffffff"_s, u"--page"_s, u"0,0,0"_s, u"ab"_s},
        u"--background and --page cannot be combined: the page's colour is the background"_s);
    row("floor with css",
        {u"--format"_s, u"css"_s, u"--page"_s, u"0,0,0"_s, u"--min-contrast"_s, u"3"_s, u"ab"_s},
        u"--min-contrast cannot be used with --format css: the CSS gradient has no colour per character to keep"_s);
}

void TestCliExtended::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const CliOutcome outcome = CliProcess::run(arguments);
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(outcome.standardOutput, QByteArray());
    QCOMPARE(QString::fromUtf8(outcome.standardError), u"huespan-cli: "_s + message + u'\n');
}

void TestCliExtended::markupMatchesCore_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");
    QTest::addColumn<SettingsEdit>("edit");

    const auto stops = [](std::vector<ColourStop> list) {
        return SettingsEdit([list](GradientSettings& s) { s.extended.stops = list; });
    };
    QTest::newRow("stops in every notation")
        << QStringList{u"--stop"_s,       u"#FF8000"_s, u"--stop"_s,       u"00ff80@25"_s, u"--stop"_s,
                       u"10,20,30@50%"_s, u"--stop"_s,  u"#abcdef@62.5"_s, u"--stop"_s,    u"0,0,0"_s}
        << u"グラデーションの文字列です"_s
        << stops({{{255, 128, 0}, std::nullopt},
                  {{0, 255, 128}, 25.0},
                  {{10, 20, 30}, 50.0},
                  {{171, 205, 239}, 62.5},
                  {{0, 0, 0}, std::nullopt}});
    QTest::newRow("hexadecimal stop components")
        << QStringList{u"--hex"_s, u"--stop"_s, u"ff,80,0"_s, u"--stop"_s, u"0,A,b"_s} << u"abc"_s
        << SettingsEdit([](GradientSettings& s) {
               s.notation = Notation::Hexadecimal;
               s.extended.stops = {{{255, 128, 0}, std::nullopt}, {{0, 10, 11}, std::nullopt}};
           });
    QTest::newRow("oklch, longer hue, both sides, reversed")
        << QStringList{u"--first"_s, u"255,0,0"_s,         u"--second"_s, u"0,0,255"_s,
                       u"--space"_s, u"oklch"_s,           u"--hue"_s,    u"longer"_s,
                       u"--form"_s,  u"both-sides-same"_s, u"--reverse"_s}
        << u"abcdefghijk"_s << SettingsEdit([](GradientSettings& s) {
               s.componentTexts = {u"255"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s};
               s.extended.space = ColourSpace::Oklch;
               s.extended.hue = HueInterpolation::Longer;
               s.form = GradientForm::BothSidesSame;
               s.extended.reverse = true;
           });
    QTest::newRow("preset with its space replaced")
        << QStringList{u"--preset"_s, gradientPresets().front().name, u"--space"_s, u"oklab"_s} << u"abcdef"_s
        << SettingsEdit([](GradientSettings& s) {
               s.extended.stops = gradientPresets().front().stops;
               s.extended.space = ColourSpace::Oklab;
               s.extended.hue = gradientPresets().front().hue;
           });
    QTest::newRow("graphemes, span, merge, white space, line breaks")
        << QStringList{u"--unit"_s,
                       u"grapheme"_s,
                       u"--format"_s,
                       u"span"_s,
                       u"--merge"_s,
                       u"--skip-whitespace"_s,
                       u"--keep-line-breaks"_s,
                       u"--bold"_s,
                       u"--size"_s,
                       u"6"_s}
        << u"家族\U0001F468\u200D\U0001F469\u200D\U0001F467 と\r\n旅行\U0001F1EF\U0001F1F5"_s
        << SettingsEdit([](GradientSettings& s) {
               s.extended.unit = TextUnit::Grapheme;
               s.extended.format = OutputFormat::Span;
               s.extended.merge = s.extended.skipWhitespace = s.extended.keepLineBreaks = true;
               s.bold = true;
               s.fontSize = 6;
           });
    QTest::newRow("bbcode with a size")
        << QStringList{u"--format"_s, u"bbcode"_s, u"--size"_s, u"2"_s, u"--second"_s, u"9,9,9"_s} << u"[b]"_s
        << SettingsEdit([](GradientSettings& s) {
               s.extended.format = OutputFormat::Bbcode;
               s.fontSize = 2;
               s.componentTexts[3] = s.componentTexts[4] = s.componentTexts[5] = u"9"_s;
           });
    QTest::newRow("ansi") << QStringList{u"--format"_s, u"ansi"_s, u"--italic"_s, u"--rainbow"_s}
                          << u"rainbow"_s << SettingsEdit([](GradientSettings& s) {
                                 const GradientPreset rainbow = rainbowGradient();
                                 s.extended.format = OutputFormat::Ansi;
                                 s.italic = true;
                                 s.extended.stops = rainbow.stops;
                                 s.extended.space = rainbow.space;
                                 s.extended.hue = rainbow.hue;
                             });
    QTest::newRow("css in a page") << QStringList{u"--format"_s, u"css"_s, u"--heading"_s, u"1"_s}
                                   << u"<見出し>"_s << SettingsEdit([](GradientSettings& s) {
                                          s.extended.format = OutputFormat::Css;
                                          s.sizeMode = SizeMode::Heading;
                                          s.heading = 1;
                                      });
}

void TestCliExtended::markupMatchesCore()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    QFETCH(SettingsEdit, edit);
    verifyMarkupMatchesCore(arguments, text, edit);
}

void TestCliExtended::listPresets()
{
    const CliOutcome outcome = CliProcess::run({u"--list-presets"_s});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardError, QByteArray());
    const QStringList lines = QString::fromUtf8(outcome.standardOutput).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 12, qPrintable(QString::number(lines.size())));
    QCOMPARE(lines.size(), qsizetype(gradientPresets().size()));
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const GradientPreset& preset = gradientPresets()[static_cast<size_t>(index)];
        QVERIFY2(lines[index].startsWith(preset.name + u' '), qPrintable(lines[index]));
        // Every stop is listed in the form --stop takes.
        QCOMPARE(lines[index].count(u"@"_s), qsizetype(preset.stops.size()));
    }
}

void TestCliExtended::everyPresetRuns()
{
    for (const GradientPreset& preset : gradientPresets()) {
        const CliOutcome outcome =
            CliProcess::run({u"--preset"_s, preset.name, u"--format"_s, u"bbcode"_s, u"abcd"_s});
        QVERIFY2(outcome.exitCode == 0, qPrintable(preset.name));
        QCOMPARE(QString::fromUtf8(outcome.standardOutput).count(u"[color=#"_s), 4);
    }
}

void TestCliExtended::rainbowRunsRoundTheCircle()
{
    // Hue 0 and hue 360 are both red; the middle of the circle is cyan.
    const CliOutcome outcome = CliProcess::run({u"--rainbow"_s, u"--format"_s, u"bbcode"_s, u"abc"_s});
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QString::fromUtf8(outcome.standardOutput),
             u"[color=#FF0000]a[/color][color=#00FFFF]b[/color][color=#FF0000]c[/color]"_s);
}

void TestCliExtended::mergeShrinksTheLongestText()
{
    const QByteArray text(32767, 'a');
    const QStringList redToBlue{u"--first"_s, u"255,0,0"_s, u"--second"_s, u"0,0,255"_s};
    const CliOutcome plain = CliProcess::run(redToBlue, text);
    const CliOutcome merged = CliProcess::run(redToBlue + QStringList{u"--merge"_s}, text);
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(merged.exitCode, 0);
    QVERIFY2(merged.standardOutput.size() * 10 <= plain.standardOutput.size(),
             qPrintable(u"%1 bytes merged, %2 plain"_s.arg(merged.standardOutput.size())
                            .arg(plain.standardOutput.size())));
    // Every merged element holds a run of one colour, and the runs together give the text back.
    QString rebuilt = QString::fromUtf8(merged.standardOutput);
    rebuilt.remove(QRegularExpression(u"<FONT COLOR=\"#[0-9A-F]{6}\">|</FONT>"_s));
    QCOMPARE(rebuilt.toUtf8(), text);
}

void TestCliExtended::sharedStopPositions_data()
{
    QTest::addColumn<QStringList>("arguments");
    // The colours of the first and the last of five units, by CSS Images: where stops share a
    // position the later one holds from there on, also at 0 % and 100 %.
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    const QStringList sharedStart{u"--stop"_s,    u"#FF0000@0"_s, u"--stop"_s,
                                  u"#00FF00@0"_s, u"--stop"_s,    u"#0000FF"_s};
    const QStringList sharedEnd{u"--stop"_s,      u"#FF0000"_s, u"--stop"_s,
                                u"#00FF00@100"_s, u"--stop"_s,  u"#0000FF@100"_s};
    QTest::newRow("two stops at 0 %") << sharedStart << u"00ff00"_s << u"0000ff"_s;
    QTest::newRow("two stops at 100 %") << sharedEnd << u"ff0000"_s << u"0000ff"_s;
    // Reversed: blue@0, green@0, red@100.
    QTest::newRow("two stops at 100 %, reversed")
        << sharedEnd + QStringList{u"--reverse"_s} << u"00ff00"_s << u"ff0000"_s;
    // Reversed: blue@0, green@100, red@100.
    QTest::newRow("two stops at 0 %, reversed")
        << sharedStart + QStringList{u"--reverse"_s} << u"0000ff"_s << u"ff0000"_s;
    // Mirrored: red@0, green@0, blue@50, green@100, red@100.
    QTest::newRow("two stops at 0 %, both sides")
        << sharedStart + QStringList{u"--form"_s, u"both-sides-same"_s} << u"00ff00"_s << u"ff0000"_s;
    QTest::newRow("two stops at 0 %, oklch")
        << sharedStart + QStringList{u"--space"_s, u"oklch"_s} << u"00ff00"_s << u"0000ff"_s;
}

void TestCliExtended::sharedStopPositions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const CliOutcome outcome = CliProcess::run(arguments + QStringList{u"--format"_s, u"span"_s, u"abcde"_s});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    QStringList colours;
    const QRegularExpression colour(u"color:#([0-9a-f]{6})"_s);
    for (const QRegularExpressionMatch& match : colour.globalMatch(QString::fromUtf8(outcome.standardOutput)))
        colours.append(match.captured(1));
    QCOMPARE(colours.size(), 5);
    QCOMPARE(colours.constFirst(), first);
    QCOMPARE(colours.constLast(), last);
}

void TestCliExtended::textCannotSteerTheTerminal_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");

    const QStringList ansi{u"--format"_s, u"ansi"_s};
    QTest::newRow("clear screen") << ansi << u"a\x1b[2Jb"_s;
    QTest::newRow("terminal title") << ansi << u"\x1b]0;owned\x07ab"_s;
    QTest::newRow("C1 CSI and NEL") << ansi << u"a\u009b2J\u0085b"_s;
    QTest::newRow("DEL, backspace, CR") << ansi << u"a\x7f\b\rb"_s;
    QTest::newRow("tab and line feed stay") << ansi << u"a\tb\nc"_s;
    QTest::newRow("merged, graphemes")
        << ansi + QStringList{u"--merge"_s, u"--unit"_s, u"grapheme"_s} << u"e\u0301\x1b[31m\x1bc"_s;
    QTest::newRow("kept line breaks") << ansi + QStringList{u"--keep-line-breaks"_s} << u"a\r\n\x1b[Ab\rc"_s;
}

void TestCliExtended::textCannotSteerTheTerminal()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);

    const CliOutcome outcome = CliProcess::run(arguments + QStringList{text});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    // Without the program's own colour codes, what is left is the text with every control
    // character but tab and line feed shown as its picture (a C1 control as ESC's picture and
    // its 7-bit form); line breaks kept as such become line feeds.
    QString shown = QString::fromUtf8(outcome.standardOutput);
    shown.remove(QRegularExpression(u"\x1b\\[[0-9;]*m"_s));
    QString expected = text;
    if (arguments.contains(u"--keep-line-breaks"_s)) {
        expected.replace(u"\r\n"_s, u"\n"_s);
        expected.replace(u'\r', u'\n');
    }
    QCOMPARE(shown, FormattedMarkup::withControlPictures(expected));
}

void TestCliExtended::textCannotFormBbcodeTags_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");

    // One colour throughout, so that merging would put the whole text in one element.
    const QStringList merged{u"--format"_s, u"bbcode"_s, u"--merge"_s};
    QTest::newRow("a link") << merged << u"[url=http://example.com]x[/url]"_s;
    QTest::newRow("a closing colour tag") << merged << u"ab[/color]cd"_s;
    QTest::newRow("brackets in a row") << merged << u"[[[b]]]"_s;
    QTest::newRow("bracket at the end") << merged << u"ab["_s;
    QTest::newRow("graphemes") << merged + QStringList{u"--unit"_s, u"grapheme"_s} << u"[\u0301img]x"_s;
    QTest::newRow("white space skipped") << merged + QStringList{u"--skip-whitespace"_s} << u"[ b] [i ]"_s;
    QTest::newRow("two colours") << merged + QStringList{u"--second"_s, u"255,0,0"_s} << u"[color=red]abc"_s;
    QTest::newRow("not merged") << QStringList{u"--format"_s, u"bbcode"_s} << u"[url]x[/url]"_s;
}

void TestCliExtended::textCannotFormBbcodeTags()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);

    const CliOutcome outcome = CliProcess::run(arguments + QStringList{text});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.exitCode, 0);
    // Read as a board reads it: the program's own tags are [color=#RRGGBB] and [/color]; any other
    // "[" is the text's, and its element must end right after it.
    const QString markup = QString::fromUtf8(outcome.standardOutput);
    const QRegularExpression opening(u"\\[color=#[0-9A-F]{6}\\]"_s);
    const QString closing = u"[/color]"_s;
    QString recovered;
    int elements = 0;
    for (qsizetype at = 0; at < markup.size();) {
        const QRegularExpressionMatch open = opening.match(markup, at, QRegularExpression::NormalMatch,
                                                           QRegularExpression::AnchorAtOffsetMatchOption);
        if (open.hasMatch()) {
            at += open.capturedLength();
            ++elements;
            continue;
        }
        if (QStringView(markup).sliced(at).startsWith(closing)) {
            at += closing.size();
            continue;
        }
        recovered += markup.at(at);
        if (markup.at(at) == u'[') {
            // Only the rest of its unit (a combining accent) may share its element.
            qsizetype next = at + 1;
            while (next < markup.size() && markup.at(next).unicode() >= 0x80)
                ++next;
            QVERIFY2(QStringView(markup).sliced(next).startsWith(closing), qPrintable(markup));
        }
        ++at;
    }
    QCOMPARE(recovered, text);
    QVERIFY(elements > 0);
}

namespace {

// The colour of every coloured unit of a markup, in order.
QList<ColourTriple> unitColours(const QByteArray& markup, OutputFormat format)
{
    QList<ColourTriple> colours;
    const std::optional<QList<FormattedMarkup::Piece>> pieces =
        FormattedMarkup::read(QString::fromUtf8(markup), format);
    if (!pieces)
        return colours;
    for (const FormattedMarkup::Piece& piece : *pieces) {
        if (piece.colour)
            colours.append(*piece.colour);
    }
    return colours;
}

ColourCoordinates oklch(const ColourTriple& colour)
{
    const ColourCoordinates linear{srgbToLinear(colour.red / 255.0), srgbToLinear(colour.green / 255.0),
                                   srgbToLinear(colour.blue / 255.0)};
    return oklabToOklch(linearSrgbToOklab(linear));
}

QString colourCode(const ColourTriple& colour)
{
    return u"#%1%2%3"_s.arg(int(colour.red), 2, 16, QLatin1Char('0'))
        .arg(int(colour.green), 2, 16, QLatin1Char('0'))
        .arg(int(colour.blue), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// The report line as the options promise it, worked out from the colours of the markup.
QString reportLine(const QString& text, const QList<ColourTriple>& colours, const ColourTriple& background)
{
    qsizetype lowest = 0;
    int below[3] = {0, 0, 0};
    for (qsizetype unit = 0; unit < colours.size(); ++unit) {
        const double ratio = Contrast::ratio(colours[unit], background);
        if (ratio < Contrast::ratio(colours[lowest], background))
            lowest = unit;
        below[0] += ratio < 3.0;
        below[1] += ratio < 4.5;
        below[2] += ratio < 7.0;
    }
    const double ratio = Contrast::ratio(colours[lowest], background);
    return u"huespan-cli: contrast against %1: lowest %2:1 (\"%3\" in %4); of %5 characters, %6 below "
           u"3:1, "
           u"%7 below 4.5:1, %8 below 7:1\n"_s.arg(colourCode(background))
               .arg(std::floor(ratio * 100) / 100, 0, 'f', 2)
               .arg(text[lowest])
               .arg(colourCode(colours[lowest]))
               .arg(colours.size())
               .arg(below[0])
               .arg(below[1])
               .arg(below[2]);
}

} // namespace

// Yellow to cyan on white: below 4.5:1 all the way. The floor darkens every unit to 4.5:1 in its
// own hue, the report says what each run gives, and where no lightness of a hue can reach the
// floor the units are counted on standard error while the run succeeds.
void TestCliExtended::contrastFloorAndReport()
{
    const QString text = u"Readable gradient text"_s;
    // Yellow up to 10 %: the first three units share the lowest contrast, and the report names the first.
    const QStringList yellowToCyan{u"--format"_s, u"span"_s,       u"--stop"_s, u"#FFFF00"_s,
                                   u"--stop"_s,   u"#FFFF00@10"_s, u"--stop"_s, u"#00FFFF"_s};
    const QStringList onWhite{u"--background"_s, u"#FFFFFF"_s, u"--check-contrast"_s};
    const ColourTriple white{255, 255, 255};

    const CliOutcome free = CliProcess::run(yellowToCyan + onWhite + QStringList{text});
    QCOMPARE(free.exitCode, 0);
    const QList<ColourTriple> freeColours = unitColours(free.standardOutput, OutputFormat::Span);
    QCOMPARE(freeColours.size(), text.size());
    QCOMPARE(QString::fromUtf8(free.standardError), reportLine(text, freeColours, white));
    // The report leaves the markup as it is.
    QCOMPARE(free.standardOutput, CliProcess::run(yellowToCyan + QStringList{text}).standardOutput);

    const CliOutcome kept =
        CliProcess::run(yellowToCyan + onWhite + QStringList{u"--min-contrast"_s, u"4.5"_s, text});
    QCOMPARE(kept.exitCode, 0);
    const QList<ColourTriple> keptColours = unitColours(kept.standardOutput, OutputFormat::Span);
    QCOMPARE(keptColours.size(), text.size());
    for (qsizetype unit = 0; unit < text.size(); ++unit) {
        QVERIFY(Contrast::ratio(keptColours[unit], white) >= 4.5);
        // The hue stays, but for the gamut mapping's just-noticeable difference (0.02) and rounding.
        const ColourCoordinates after = oklch(keptColours[unit]);
        const double turn = std::abs(after[2] - oklch(freeColours[unit])[2]);
        QVERIFY2(turn < std::atan2(0.024, after[1]) * 180 / M_PI,
                 qPrintable(u"unit %1 turned %2 degrees"_s.arg(unit).arg(turn)));
    }
    QCOMPARE(QString::fromUtf8(kept.standardError), reportLine(text, keptColours, white));

    // The two colours of the plain markup take the floor too, from the page's background.
    const CliOutcome plain =
        CliProcess::run({u"--first"_s, u"255,255,0"_s, u"--second"_s, u"0,255,255"_s, u"--page"_s,
                         u"255,255,255"_s, u"--min-contrast"_s, u"4.5:1"_s, text});
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(plain.standardError, QByteArray());
    const QString page = QString::fromUtf8(plain.standardOutput);
    const qsizetype begin = page.indexOf(u"<FONT"_s);
    const QString body = page.mid(begin, page.lastIndexOf(u"</FONT>"_s) + 7 - begin);
    const QList<ColourTriple> plainColours = unitColours(body.toUtf8(), OutputFormat::Font);
    QCOMPARE(plainColours.size(), text.size());
    for (const ColourTriple& colour : plainColours)
        QVERIFY(Contrast::ratio(colour, white) >= 4.5);

    // 7:1 on mid grey: black gives 5.3:1 and white 3.9:1, so no unit can reach it.
    const CliOutcome grey = CliProcess::run(
        yellowToCyan + QStringList{u"--background"_s, u"128,128,128"_s, u"--min-contrast"_s, u"7"_s, text});
    QCOMPARE(grey.exitCode, 0);
    QCOMPARE(unitColours(grey.standardOutput, OutputFormat::Span),
             QList<ColourTriple>(text.size(), ColourTriple{}));
    QCOMPARE(QString::fromUtf8(grey.standardError),
             u"huespan-cli: %1 of %1 characters cannot reach 7:1 against #808080 in their hue; they take "
             u"black or "
             u"white, whichever contrasts more\n"_s.arg(text.size()));
}

QTEST_GUILESS_MAIN(TestCliExtended)
#include "TestCliExtended.moc"
