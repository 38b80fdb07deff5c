#include "MarkupGeneration.h"
#include "SettingNames.h"
#include "TextUnits.h"
#include "UnitColours.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace huespan {

// The formats for chat, notes and status bars: exact bytes for a table, and a reader of each
// format, written here from the format's own rules, that takes any output back to its characters
// and the colour each wears.
class TestOutputFormats : public QObject
{
    Q_OBJECT

private slots:
    void exactBytes_data();
    void exactBytes();
    void outputReadsBack();
    void linesFollowTheirRule();
};

namespace {

struct Read
{
    QString text;
    // The colour of each code unit of text; none for text outside any colour.
    std::vector<std::optional<ColourTriple>> colours;
    QString fault;

    void add(QStringView piece, std::optional<ColourTriple> colour)
    {
        text += piece;
        colours.insert(colours.end(), static_cast<size_t>(piece.size()), colour);
    }
};

std::optional<ColourTriple> hexColour(QStringView digits)
{
    bool ok = digits.size() == 6;
    const uint rgb = digits.toUInt(&ok, 16);
    if (!ok || digits.size() != 6)
        return std::nullopt;
    return ColourTriple{static_cast<qint16>(rgb >> 16), static_cast<qint16>((rgb >> 8) & 0xFF),
                        static_cast<qint16>(rgb & 0xFF)};
}

// MiniMessage: tags in < >, \ before a character that stands for itself.
Read readMiniMessage(QStringView markup)
{
    static const QStringList styles{u"b"_s, u"i"_s, u"u"_s, u"st"_s, u"/b"_s, u"/i"_s, u"/u"_s, u"/st"_s};
    Read read;
    std::optional<ColourTriple> colour;
    for (qsizetype at = 0; at < markup.size(); ++at) {
        if (markup[at] == u'\\' && at + 1 < markup.size()) {
            read.add(markup.sliced(++at, 1), colour);
        } else if (markup[at] == u'<') {
            const qsizetype end = markup.indexOf(u'>', at);
            const QStringView tag = markup.sliced(at + 1, end - at - 1);
            at = end;
            if (tag.startsWith(u'#') && hexColour(tag.sliced(1)))
                colour = hexColour(tag.sliced(1));
            else if (tag == u"newline")
                read.add(u"\n", std::nullopt);
            else if (!styles.contains(tag))
                read.fault = u"tag <"_s + tag + u"> formed"_s;
        } else {
            read.add(markup.sliced(at, 1), colour);
        }
    }
    return read;
}

// &#RRGGBB or §x§r§r§g§g§b§b, style codes after a sign, \n for a line break.
Read readLegacy(QStringView markup, QChar sign)
{
    Read read;
    std::optional<ColourTriple> colour;
    for (qsizetype at = 0; at < markup.size(); ++at) {
        const QStringView rest = markup.sliced(at);
        if (sign == u'&' && rest.startsWith(u"&#") &&
            hexColour(rest.sliced(2, std::min<qsizetype>(6, rest.size() - 2)))) {
            colour = hexColour(rest.sliced(2, 6));
            at += 7;
        } else if (sign == u'§' && rest.startsWith(u"§x") && rest.size() >= 14) {
            QString digits;
            for (int k = 0; k < 6; ++k)
                digits += rest[3 + 2 * k];
            colour = hexColour(digits);
            at += 13;
        } else if (rest.size() >= 2 && rest[0] == sign && QStringView(u"lonm").contains(rest[1])) {
            ++at;
        } else if (rest.startsWith(u"\\n")) {
            read.add(u"\n", std::nullopt);
            ++at;
        } else {
            read.add(rest.first(1), colour);
        }
    }
    return read;
}

Read readJson(const QString& markup)
{
    Read read;
    // JSON strings hold no raw control character.
    if (std::any_of(markup.begin(), markup.end(), [](QChar c) { return c.unicode() < 0x20; }))
        read.fault = u"raw control character"_s;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(markup.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        read.fault = u"not JSON: "_s + error.errorString();
        return read;
    }
    const QJsonArray components = document.array();
    for (qsizetype index = 1; index < components.size(); ++index) {
        const QJsonObject component = components.at(index).toObject();
        const QString colour = component.value(u"color"_s).toString();
        read.add(component.value(u"text"_s).toString(),
                 colour.isEmpty() ? std::nullopt : hexColour(QStringView(colour).sliced(1)));
    }
    return read;
}

// MFM: colour functions holding the text, <plain> for characters that would make syntax; outside
// them only the style wrappers, white space and line breaks.
Read readMfm(QStringView markup)
{
    static const QString syntax = u"@#:$[]*_~`<>()\\"_s;
    Read read;
    qsizetype at = 0;
    const auto take = [&](QStringView piece) {
        if (!markup.sliced(at).startsWith(piece))
            return false;
        at += piece.size();
        return true;
    };
    while (at < markup.size()) {
        if (take(u"**") || take(u"<i>") || take(u"</i>") || take(u"<s>") || take(u"</s>"))
            continue;
        if (take(u"$[fg.color=")) {
            const std::optional<ColourTriple> colour = hexColour(markup.sliced(at, 6));
            at += 7;
            while (at < markup.size() && markup[at] != u']') {
                if (take(u"<plain>")) {
                    const qsizetype end = markup.indexOf(u"</plain>", at);
                    read.add(markup.sliced(at, end - at), colour);
                    at = end + 8;
                } else {
                    if (syntax.contains(markup[at]))
                        read.fault = u"syntax from the text: "_s + markup[at];
                    read.add(markup.sliced(at++, 1), colour);
                }
            }
            ++at;
            continue;
        }
        if (syntax.contains(markup[at]))
            read.fault = u"syntax outside a colour: "_s + markup[at];
        read.add(markup.sliced(at++, 1), std::nullopt);
    }
    return read;
}

Read readPango(const QString& markup)
{
    Read read;
    QXmlStreamReader xml(u"<markup>"_s + markup + u"</markup>"_s);
    std::vector<std::optional<ColourTriple>> spans;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.name();
            if (name == u"span") {
                const QStringView foreground = xml.attributes().value(u"foreground"_s);
                spans.push_back(foreground.isEmpty() ? (spans.empty() ? std::nullopt : spans.back())
                                                     : hexColour(foreground.sliced(1)));
            } else if (!QStringList{u"markup"_s, u"b"_s, u"i"_s, u"u"_s, u"s"_s}.contains(name.toString())) {
                read.fault = u"element "_s + name;
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (xml.name() == u"span")
                spans.pop_back();
            break;
        case QXmlStreamReader::Characters:
            read.add(xml.text(), spans.empty() ? std::nullopt : spans.back());
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        read.fault = u"not XML: "_s + xml.errorString();
    return read;
}

Read readBack(OutputFormat format, const QString& markup)
{
    switch (format) {
    case OutputFormat::MiniMessage:
        return readMiniMessage(markup);
    case OutputFormat::MinecraftHex:
        return readLegacy(markup, u'&');
    case OutputFormat::MinecraftSection:
        return readLegacy(markup, u'§');
    case OutputFormat::MinecraftJson:
        return readJson(markup);
    case OutputFormat::Mfm:
        return readMfm(markup);
    default:
        return readPango(markup);
    }
}

GradientSettings twoColours(const QString& first, const QString& second)
{
    GradientSettings settings;
    const QStringList a = first.split(u','), b = second.split(u',');
    settings.componentTexts = {a[0], a[1], a[2], b[0], b[1], b[2]};
    return settings;
}

} // namespace

void TestOutputFormats::exactBytes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // Texts of two units run from the first colour (red) to the second (blue); "same" makes both
    // colours #123456.
    QTest::newRow("minimessage styles, escapes")
        << u"minimessage"_s << u"bold strike"_s << u"\\<"_s << uR"(<b><st><#ff0000>\\<#0000ff>\<</st></b>)"_s;
    QTest::newRow("minimessage merge, line break")
        << u"minimessage"_s << u"same merge breaks"_s << u"ab\ncd"_s << u"<#123456>ab<newline><#123456>cd"_s;
    QTest::newRow("minecraft-hex styles after each colour")
        << u"minecraft-hex"_s << u"italic underline"_s << u"ab"_s << u"&#FF0000&o&na&#0000FF&o&nb"_s;
    QTest::newRow("minecraft-hex line break")
        << u"minecraft-hex"_s << u"breaks"_s << u"a\nb"_s << uR"(&#FF0000a\n&#0000FFb)"_s;
    QTest::newRow("minecraft-section")
        << u"minecraft-section"_s << u"strike"_s << u"ab"_s << u"§x§f§f§0§0§0§0§ma§x§0§0§0§0§f§f§mb"_s;
    QTest::newRow("minecraft-json styles, quote")
        << u"minecraft-json"_s << u"bold underline"_s << u"a\""_s
        << uR"(["", {"text": "a", "color": "#ff0000", "bold": true, "underlined": true}, {"text": "\"", "color": "#0000ff", "bold": true, "underlined": true}])"_s;
    QTest::newRow("minecraft-json white space, line break")
        << u"minecraft-json"_s << u"skip breaks"_s << u"a \nb"_s
        << uR"(["", {"text": "a", "color": "#ff0000"}, {"text": " "}, {"text": "\n"}, {"text": "b", "color": "#0000ff"}])"_s;
    QTest::newRow("minecraft-json control, merge") << u"minecraft-json"_s << u"same merge"_s << u"a\u0001\\"_s
                                                   << uR"(["", {"text": "a\u0001\\", "color": "#123456"}])"_s;
    QTest::newRow("mfm styles, plain")
        << u"mfm"_s << u"bold italic strike"_s << u"a@"_s
        << u"**<i><s>$[fg.color=ff0000 a]$[fg.color=0000ff <plain>@</plain>]</s></i>**"_s;
    QTest::newRow("mfm merge, hashtag")
        << u"mfm"_s << u"same merge"_s << u"#tag"_s << u"$[fg.color=123456 <plain>#</plain>tag]"_s;
    QTest::newRow("mfm emoji grapheme")
        << u"mfm"_s << u"grapheme"_s << u"👍🏽:"_s
        << u"$[fg.color=ff0000 👍🏽]$[fg.color=0000ff <plain>:</plain>]"_s;
    QTest::newRow("span with the code's line breaks")
        << u"span"_s << u"codebreaks"_s << u"ab"_s
        << u"\r\n<span style=\"color:#ff0000\">a</span>\r\n<span style=\"color:#0000ff\">b</span>\r\n"_s;
    QTest::newRow("pango size, escape")
        << u"pango"_s << u"underline size7"_s << u"a&"_s
        << uR"(<u><span size="xx-large"><span foreground="#ff0000">a</span><span foreground="#0000ff">&amp;</span></span></u>)"_s;
    QTest::newRow("pango line break, space")
        << u"pango"_s << u"breaks same merge"_s << u"< \n>"_s
        << u"<span foreground=\"#123456\">&lt; </span>\n<span foreground=\"#123456\">&gt;</span>"_s;
}

void TestOutputFormats::exactBytes()
{
    QFETCH(QString, format);
    QFETCH(QString, options);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QStringList on = options.split(u' ');
    GradientSettings settings = on.contains(u"same"_s) ? twoColours(u"18,52,86"_s, u"18,52,86"_s)
                                                       : twoColours(u"255,0,0"_s, u"0,0,255"_s);
    settings.extended.format = *valueNamed<OutputFormat>(format);
    settings.bold = on.contains(u"bold"_s);
    settings.italic = on.contains(u"italic"_s);
    settings.underline = on.contains(u"underline"_s);
    settings.strike = on.contains(u"strike"_s);
    if (on.contains(u"size7"_s))
        settings.fontSize = 7;
    settings.lineBreaks = on.contains(u"codebreaks"_s);
    settings.extended.merge = on.contains(u"merge"_s);
    settings.extended.skipWhitespace = on.contains(u"skip"_s);
    settings.extended.keepLineBreaks = on.contains(u"breaks"_s);
    if (on.contains(u"grapheme"_s))
        settings.extended.unit = TextUnit::Grapheme;
    const MarkupOutcome outcome = generateMarkup(text, settings);
    QVERIFY2(outcome.markup, qPrintable(outcome.message));
    QCOMPARE(*outcome.markup, expected);
}

// Random texts full of what the formats must escape, in random settings: every output reads back
// as its text, each unit in the colour the schedule gives it, with no syntax made from the text.
void TestOutputFormats::outputReadsBack()
{
    QRandomGenerator random(2026);
    const QList<OutputFormat> formats{
        OutputFormat::MiniMessage,   OutputFormat::MinecraftHex, OutputFormat::MinecraftSection,
        OutputFormat::MinecraftJson, OutputFormat::Mfm,          OutputFormat::Pango};
    const QStringList pieces{u"a"_s,      u"Z"_s,       u"あ"_s,       u" "_s,        u"\n"_s,
                             u"<"_s,      u">"_s,       u"&"_s,        u"\\"_s,       u"\""_s,
                             u"@"_s,      u"#"_s,       u":"_s,        u"$["_s,       u"]"_s,
                             u"**"_s,     u"_"_s,       u"~~"_s,       u"`"_s,        u"("_s,
                             u"§"_s,      u"e\u0301"_s, u"👍🏽"_s, u"🇯🇵"_s,       u"\t"_s,
                             u"\u0001"_s, u"\u001f"_s,  u"<b>"_s,      u"</plain>"_s, u"https://x.example"_s,
                             u":smile:"_s};
    for (int round = 0; round < 3000; ++round) {
        const OutputFormat format = formats[random.bounded(formats.size())];
        GradientSettings settings = twoColours(QString::number(random.bounded(256)) + u",9,200"_s,
                                               u"30,"_s + QString::number(random.bounded(256)) + u",0"_s);
        ExtendedSettings& extended = settings.extended;
        extended.format = format;
        extended.space = static_cast<ColourSpace>(random.bounded(5));
        if (random.bounded(3) == 0)
            extended.stops = {
                {{255, 0, 0}, std::nullopt}, {{0, 200, 0}, 30.0}, {{20, 20, 255}, std::nullopt}};
        settings.form = random.bounded(2) ? GradientForm::LeftToRight : GradientForm::BothSidesSame;
        extended.reverse = random.bounded(2);
        extended.merge = random.bounded(2);
        extended.skipWhitespace = random.bounded(2);
        extended.keepLineBreaks = random.bounded(2);
        extended.unit = random.bounded(2) ? TextUnit::Grapheme : TextUnit::CodePoint;
        extended.lines = static_cast<LineGradient>(random.bounded(3));
        settings.bold = random.bounded(2);
        settings.italic = random.bounded(2);
        settings.strike = random.bounded(2);
        settings.underline = format != OutputFormat::Mfm && random.bounded(2);

        QString text;
        for (int count = 1 + random.bounded(12); count > 0; --count) {
            const QString& piece = pieces[random.bounded(pieces.size())];
            // The legacy codes have no escape: their signs and "\n" cannot be text.
            if ((format == OutputFormat::MinecraftHex || format == OutputFormat::MinecraftSection) &&
                (piece == u"&"_s || piece == u"§"_s || piece == u"\\"_s))
                continue;
            text += piece;
        }
        const MarkupOutcome outcome = generateMarkup(text, settings);
        if (!outcome.markup)
            continue;
        const Read read = readBack(format, *outcome.markup);
        const QString where = nameOf(format) + u" of "_s + text.toHtmlEscaped() + u": "_s + *outcome.markup;
        QVERIFY2(read.fault.isEmpty(), qPrintable(read.fault + u" in "_s + where));

        // The text comes back; kept line breaks as line feeds, others as they stand.
        const TextUnits units(text, extended.unit, extended.skipWhitespace, extended.keepsLineBreaks());
        QString expected;
        for (qsizetype index = 0; index < units.count(); ++index)
            expected +=
                units.kind(index) == TextUnits::Kind::LineBreak ? u"\n"_s : units.at(index).toString();
        // XML holds no C0 control but tab, line feed and carriage return: Pango shows their pictures.
        if (format == OutputFormat::Pango)
            expected.replace(u'\u0001', QChar(0x2401)).replace(u'\u001f', QChar(0x241F));
        QVERIFY2(read.text == expected, qPrintable(where));

        const std::vector<ColourTriple> colours = UnitColours::scheduleOf(settings, units);
        qsizetype at = 0;
        size_t coloured = 0;
        for (qsizetype index = 0; index < units.count(); ++index) {
            const qsizetype length =
                units.kind(index) == TextUnits::Kind::LineBreak ? 1 : units.at(index).size();
            if (units.kind(index) == TextUnits::Kind::Coloured) {
                for (qsizetype k = at; k < at + length; ++k)
                    QVERIFY2(read.colours[static_cast<size_t>(k)] == colours[coloured], qPrintable(where));
                ++coloured;
            }
            at += length;
        }
    }
}

// Per line: each line runs the whole gradient; by column: the units of one column share a colour,
// the longest line's running the whole gradient.
void TestOutputFormats::linesFollowTheirRule()
{
    GradientSettings settings = twoColours(u"255,0,0"_s, u"0,0,255"_s);
    settings.extended.space = ColourSpace::Oklch;
    const QString text = u"abcd\nxy\n\nq\nlonger line"_s;
    const QStringList lines = text.split(u'\n');
    for (const LineGradient mode : {LineGradient::Each, LineGradient::Columns}) {
        settings.form = GradientForm::LeftToRight;
        settings.extended.lines = mode;
        const TextUnits units(text, TextUnit::CodePoint, false, true);
        const std::vector<ColourTriple> colours = UnitColours::scheduleOf(settings, units);
        const std::vector<ColourTriple> longest = UnitColours::schedule(settings, 11);
        size_t next = 0;
        for (const QString& line : lines) {
            const int n = static_cast<int>(line.size());
            const std::vector<ColourTriple> own =
                n >= 2 ? UnitColours::schedule(settings, n) : std::vector<ColourTriple>(n, longest.front());
            for (int k = 0; k < n; ++k, ++next) {
                const ColourTriple expected = mode == LineGradient::Each ? own[static_cast<size_t>(k)]
                                                                         : longest[static_cast<size_t>(k)];
                QVERIFY2(colours[next] == expected, qPrintable(line));
            }
        }
        QCOMPARE(next, colours.size());

        // Both sides: each line of two units has two edges, each in the first colour; by column,
        // the columns of the longest line.
        settings.form = GradientForm::BothSidesSame;
        const TextUnits pair(u"abcde\nxy"_s, TextUnit::CodePoint, false, true);
        const std::vector<ColourTriple> mirrored = UnitColours::scheduleOf(settings, pair);
        const ColourTriple edge = UnitColours::schedule(settings, 3).front();
        QCOMPARE(mirrored.size(), size_t(7));
        if (mode == LineGradient::Each)
            QVERIFY(mirrored[5] == edge && mirrored[6] == edge);
        else
            QVERIFY(mirrored[5] == mirrored[0] && mirrored[6] == mirrored[1] && mirrored[4] == edge);
    }
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestOutputFormats)
#include "TestOutputFormats.moc"
