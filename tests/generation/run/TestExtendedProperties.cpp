#include "ColourStop.h"
#include "ColourValues.h"
#include "FormattedMarkup.h"
#include "Generators.h"
#include "RecordingHost.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// Random texts, stops, spaces, units and formats through the extended engine. Whatever the
// settings, the markup gives the text back, the first and the last unit wear the end colours
// exactly, and merging changes no unit's colour. The seed is fixed so that a failure can be replayed.
class TestExtendedProperties : public QObject
{
    Q_OBJECT

private slots:
    void randomRuns();

private:
    GradientSettings randomSettings();
    QString randomText();
    // Empty when the run behaved, otherwise what went wrong.
    static QString check(const GradientSettings& settings, const QString& text);
    static QString expectedText(const GradientSettings& settings, const QString& text);
    static std::pair<ColourTriple, ColourTriple> endColours(const GradientSettings& settings);

    QRandomGenerator m_random{20261208u};
};

QString TestExtendedProperties::randomText()
{
    static const QStringList pool{
        u"a"_s,
        u"Z"_s,
        u"あ"_s,
        u"漢"_s,
        u"<"_s,
        u">"_s,
        u"&"_s,
        u" "_s,
        u"\t"_s,
        u"\u3000"_s,
        u"\r"_s,
        u"\n"_s,
        u"\r\n"_s,
        u"\x1b]0;t\x07"_s,
        u"\u009b"_s,
        u"\x7f"_s,
        u"\x01"_s,
        u"😀"_s,
        u"&lt;"_s,
        u"e\u0301"_s,
        u"か\u3099"_s,
        u"\U0001F1EF\U0001F1F5"_s,
        u"\U0001F44D\U0001F3FD"_s,
        u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s,
        u"1\uFE0F\u20E3"_s,
        u"\u1100\u1161\u11A8"_s,
        u"<\u0338"_s,
        u" \u0301"_s,
    };
    const quint32 shape = m_random.bounded(100u);
    const int pieces = shape < 70   ? int(m_random.bounded(12u))
                       : shape < 95 ? 12 + int(m_random.bounded(150u))
                                    : 300 + int(m_random.bounded(900u));
    QString text;
    for (int piece = 0; piece < pieces; ++piece)
        text += pool[qsizetype(m_random.bounded(quint32(pool.size())))];
    return text;
}

GradientSettings TestExtendedProperties::randomSettings()
{
    const auto coin = [this] { return m_random.bounded(2u) == 1; };
    const auto component = [this] {
        const quint32 kind = m_random.bounded(4u);
        return static_cast<qint16>(kind == 0 ? 0 : kind == 1 ? 255 : int(m_random.bounded(256u)));
    };
    GradientSettings settings;
    settings.form = coin() ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    settings.componentTexts = {QString::number(component()), QString::number(component()),
                               QString::number(component()), QString::number(component()),
                               QString::number(component()), QString::number(component())};
    ExtendedSettings& extended = settings.extended;
    const quint32 stopCount = m_random.bounded(5u); // 0 and 1: the two colours
    for (quint32 index = 0; stopCount >= 2 && index < stopCount; ++index) {
        ColourStop stop{{component(), component(), component()}, std::nullopt};
        // The ends of the range come up often: stops may share them.
        const quint32 place = m_random.bounded(8u);
        if (place == 0)
            stop.position = 0.0;
        else if (place == 1)
            stop.position = 100.0;
        else if (place == 2)
            stop.position = m_random.bounded(100.0);
        extended.stops.push_back(stop);
    }
    extended.space = static_cast<ColourSpace>(m_random.bounded(5u));
    extended.hue = static_cast<HueInterpolation>(m_random.bounded(4u));
    extended.reverse = coin();
    extended.unit = coin() ? TextUnit::Grapheme : TextUnit::CodePoint;
    extended.format = static_cast<OutputFormat>(m_random.bounded(5u));
    extended.skipWhitespace = coin();
    extended.keepLineBreaks = coin();
    return settings;
}

QString TestExtendedProperties::expectedText(const GradientSettings& settings, const QString& text)
{
    QString lines = text;
    if (settings.extended.keepLineBreaks) {
        lines.replace(u"\r\n"_s, u"\n"_s);
        lines.replace(u'\r', u'\n');
    }
    if (settings.extended.format != OutputFormat::Ansi)
        return lines;
    // A terminal is shown the text's control characters as pictures.
    return FormattedMarkup::withControlPictures(lines);
}

std::pair<ColourTriple, ColourTriple> TestExtendedProperties::endColours(const GradientSettings& settings)
{
    const ExtendedSettings& extended = settings.extended;
    if (extended.stops.empty()) {
        const auto [first, last] = ReadColours(settings);
        if (settings.form == GradientForm::BothSidesSame)
            return {first, first};
        return extended.reverse ? std::pair{last, first} : std::pair{first, last};
    }
    // By CSS Images' rules: of the stops that share a position, the later holds from there on, at
    // 0 % and 100 % too. Read backwards, the later one is the earlier one of the list.
    std::vector<ColourStop> stops = resolveStopPositions(extended.stops);
    if (settings.form == GradientForm::BothSidesSame)
        stops = mirroredStops(stops);
    const bool laterHolds = !extended.reverse;
    std::size_t atStart = 0;
    while (laterHolds && atStart + 1 < stops.size() && *stops[atStart + 1].position == 0.0)
        ++atStart;
    std::size_t atEnd = stops.size() - 1;
    while (!laterHolds && atEnd > 0 && *stops[atEnd].position == 100.0 && *stops[atEnd - 1].position == 100.0)
        --atEnd;
    const ColourTriple start = stops[atStart].colour;
    const ColourTriple end = stops[atEnd].colour;
    return extended.reverse ? std::pair{end, start} : std::pair{start, end};
}

QString TestExtendedProperties::check(const GradientSettings& settings, const QString& text)
{
    const QString markup = RecordingHost::markupFor(settings, text);
    if (markup.isEmpty())
        return {}; // refused: the frame's own tests cover the refusals
    const OutputFormat format = settings.extended.format;
    const std::optional<QList<FormattedMarkup::Piece>> pieces = FormattedMarkup::read(markup, format);
    if (!pieces)
        return u"unreadable markup: "_s + markup.left(300);
    if (FormattedMarkup::text(*pieces) != expectedText(settings, text))
        return u"the markup does not give the text back: "_s + markup.left(300);

    GradientSettings merged = settings;
    merged.extended.merge = true;
    const QString mergedMarkup = RecordingHost::markupFor(merged, text);
    const std::optional<QList<FormattedMarkup::Piece>> mergedPieces =
        FormattedMarkup::read(mergedMarkup, format);
    if (!mergedPieces || FormattedMarkup::text(*mergedPieces) != FormattedMarkup::text(*pieces))
        return u"merged markup does not give the text back: "_s + mergedMarkup.left(300);
    if (FormattedMarkup::colourPerCodeUnit(*mergedPieces) != FormattedMarkup::colourPerCodeUnit(*pieces))
        return u"merging changed a colour: "_s + mergedMarkup.left(300);
    if (mergedMarkup.size() > markup.size())
        return u"merging made the markup longer"_s;

    const auto [start, end] = endColours(settings);
    if (format == OutputFormat::Css) {
        // The css format lists the stops themselves; the browser applies the rule of shared places.
        std::vector<ColourStop> listed = resolveStopPositions(settings.extended.stops);
        if (listed.empty()) {
            const auto [first, second] = ReadColours(settings);
            listed = {{first, 0.0}, {second, 100.0}};
        }
        if (settings.form == GradientForm::BothSidesSame)
            listed = mirroredStops(listed);
        if (settings.extended.reverse)
            listed = reversedStops(listed);
        const ColourTriple listedStart = listed.front().colour;
        const ColourTriple listedEnd = listed.back().colour;
        // The first and the last colour stop of the gradient, wherever they stand.
        const qsizetype gradientEnd = markup.indexOf(u");"_s);
        const qsizetype firstStop = markup.indexOf(u", #"_s);
        const qsizetype lastStop = markup.lastIndexOf(u", #"_s, gradientEnd);
        if (gradientEnd < 0 || firstStop < 0 ||
            markup.sliced(firstStop + 3, 6) != ColourCode(listedStart).toLower() ||
            markup.sliced(lastStop + 3, 6) != ColourCode(listedEnd).toLower())
            return u"the gradient does not run between the end colours: "_s + markup.left(300);
        return {};
    }
    std::optional<ColourTriple> firstColour;
    std::optional<ColourTriple> lastColour;
    for (const FormattedMarkup::Piece& piece : *pieces) {
        if (!piece.colour)
            continue;
        if (!firstColour)
            firstColour = piece.colour;
        lastColour = piece.colour;
    }
    if (firstColour != start || lastColour != end) {
        QString stops;
        for (const ColourStop& stop : settings.extended.stops)
            stops += ColourCode(stop.colour) + u'@' +
                     (stop.position ? QString::number(*stop.position) : u"-"_s) + u' ';
        return stops +
               u"form %1 reverse %2 space %3: "_s.arg(int(settings.form))
                   .arg(settings.extended.reverse)
                   .arg(int(settings.extended.space)) +
               u"ends are %1 and %2, not %3 and %4"_s.arg(firstColour ? ColourCode(*firstColour) : u"none"_s,
                                                          lastColour ? ColourCode(*lastColour) : u"none"_s,
                                                          ColourCode(start), ColourCode(end));
    }
    return {};
}

void TestExtendedProperties::randomRuns()
{
    int generated = 0;
    for (int round = 0; round < 1500; ++round) {
        const GradientSettings settings = randomSettings();
        const QString text = randomText();
        const QString fault = check(settings, text);
        QVERIFY2(fault.isEmpty(),
                 qPrintable(u"round %1, text \"%2\": "_s.arg(round).arg(text.left(80)) + fault));
        generated += RecordingHost::markupFor(settings, text).isEmpty() ? 0 : 1;
    }
    // Most random texts are long enough to be generated.
    QVERIFY2(generated > 1000, qPrintable(QString::number(generated)));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestExtendedProperties)
#include "TestExtendedProperties.moc"
