#include "CliProcess.h"
#include "GradientPresets.h"
#include "GradientSettings.h"
#include "RecordingHost.h"

#include <QRegularExpression>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;
using namespace huespan;

using SettingsEdit = std::function<void(GradientSettings&)>;
Q_DECLARE_METATYPE(SettingsEdit)

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
        u"--format: unknown format \"markdown\" (use font, span, bbcode, ansi or css)"_s);
    row("heading with bbcode", {u"--format"_s, u"bbcode"_s, u"--heading"_s, u"2"_s, u"ab"_s},
        u"--heading cannot be used with --format bbcode: a message board has no headings"_s);
    row("heading with ansi", {u"--heading"_s, u"H1"_s, u"--format"_s, u"ansi"_s, u"ab"_s},
        u"--heading cannot be used with --format ansi: a terminal has no headings"_s);
    row("size with ansi", {u"--format"_s, u"ansi"_s, u"--size"_s, u"3"_s, u"ab"_s},
        u"--size cannot be used with --format ansi: a terminal has no font sizes"_s);
    row("page with bbcode", {u"--format"_s, u"bbcode"_s, u"--page"_s, u"0,0,0"_s, u"ab"_s},
        u"--page cannot be used with --format bbcode: the preview page is HTML"_s);
    row("page with ansi", {u"--format"_s, u"ansi"_s, u"--page"_s, u"0,0,0"_s, u"ab"_s},
        u"--page cannot be used with --format ansi: the preview page is HTML"_s);
    row("line breaks with bbcode", {u"--format"_s, u"bbcode"_s, u"--line-breaks"_s, u"ab"_s},
        u"--line-breaks cannot be used with --format bbcode: a message board would show the line breaks in "
        u"the "
        u"text"_s);
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

    GradientSettings settings;
    edit(settings);
    const QString expected = RecordingHost::markupFor(settings, text);
    QVERIFY(!expected.isEmpty());
    const CliOutcome outcome = CliProcess::run(arguments + QStringList{text});
    QVERIFY(outcome.finishedNormally);
    QCOMPARE(outcome.standardError, QByteArray());
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(QString::fromUtf8(outcome.standardOutput), expected);
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
    QString pictures;
    for (const QChar c : expected) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n')
            pictures += QChar(0x2400 + u);
        else if (u == 0x7F)
            pictures += QChar(0x2421);
        else if (u >= 0x80 && u <= 0x9F)
            pictures += QChar(0x241B) + QChar(u - 0x40);
        else
            pictures += c;
    }
    QCOMPARE(shown, pictures);
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

QTEST_GUILESS_MAIN(TestCliExtended)
#include "TestCliExtended.moc"
