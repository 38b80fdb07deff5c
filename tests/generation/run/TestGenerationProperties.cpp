#include "ExpectedSchedule.h"
#include "GeneratedMarkup.h"
#include "Generators.h"
#include "RecordingHost.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

// Thousands of random texts and settings through both generators. The seed is fixed so that a
// failure names a case that can be replayed.
class TestGenerationProperties : public QObject
{
    Q_OBJECT

private slots:
    void randomRuns();

private:
    struct Case
    {
        GradientSettings settings;
        ColourTriple first;
        ColourTriple second;
        QString text;
    };

    Case randomCase();
    QString randomText();
    QString componentText(int value, Notation notation);
    static QString expectedOpening(const GradientSettings& settings);
    static QString expectedClosing(const GradientSettings& settings);
    // Empty when the run behaved, otherwise what went wrong.
    static QString check(const Case& testCase);
    static QString describe(const QString& text);

    QRandomGenerator m_random{20261207u};
};

QString TestGenerationProperties::randomText()
{
    static const QStringList pool{u"a"_s,
                                  u"Z"_s,
                                  u"0"_s,
                                  u"あ"_s,
                                  u"漢"_s,
                                  u"ー"_s,
                                  u"ｱ"_s,
                                  u"<"_s,
                                  u">"_s,
                                  u"&"_s,
                                  u" "_s,
                                  u"\r"_s,
                                  u"\n"_s,
                                  u"\r\n"_s,
                                  u"\u3000"_s,
                                  u"\t"_s,
                                  u"\""_s,
                                  u";"_s,
                                  u"😀"_s,
                                  u"𠮟"_s,
                                  u"&lt;"_s,
                                  u"&nbsp;"_s,
                                  QString(QChar(0xD83D)),
                                  QString(QChar(0xDE00))};
    const quint32 shape = m_random.bounded(100u);
    const int length = shape < 70   ? int(m_random.bounded(13u))
                       : shape < 95 ? 13 + int(m_random.bounded(190u))
                                    : 200 + int(m_random.bounded(1300u));
    QString text;
    while (text.size() < length)
        text += pool[qsizetype(m_random.bounded(quint32(pool.size())))];
    return text;
}

QString TestGenerationProperties::componentText(int value, Notation notation)
{
    if (value == 0 && m_random.bounded(4u) == 0)
        return {}; // an emptied field reads as 0
    if (notation == Notation::Decimal)
        return QString::number(value);
    QString digits = QString::number(value, 16);
    if (m_random.bounded(2u) == 0)
        digits = digits.toUpper();
    if (m_random.bounded(4u) == 0)
        digits.prepend(u'0');
    return digits;
}

TestGenerationProperties::Case TestGenerationProperties::randomCase()
{
    static const QStringList tags{QString(),
                                  QString(),
                                  u"<SPAN>"_s,
                                  u"</SPAN>"_s,
                                  u"<A href=\"x&y\">"_s,
                                  u"前"_s,
                                  u"<FONT COLOR=\"#000000\">"_s,
                                  u"\r\n"_s};
    auto coin = [this] { return m_random.bounded(2u) == 1; };
    auto pick = [this](const QStringList& list) {
        return list[qsizetype(m_random.bounded(quint32(list.size())))];
    };
    auto component = [this] {
        // Extremes and equal components are the interesting ones, so they come up often.
        const quint32 kind = m_random.bounded(4u);
        return kind == 0 ? 0 : kind == 1 ? 255 : int(m_random.bounded(256u));
    };

    Case testCase;
    GradientSettings& settings = testCase.settings;
    settings.form = coin() ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    settings.bold = coin();
    settings.italic = coin();
    settings.underline = coin();
    settings.strike = coin();
    settings.sizeMode = coin() ? SizeMode::Heading : SizeMode::Normal;
    // One draw in eight leaves the list on "指定なし".
    const auto listNumber = [this](quint32 highest) {
        const auto drawn = static_cast<int>(m_random.bounded(highest + 1));
        return drawn == 0 ? std::nullopt : std::optional<int>(drawn);
    };
    settings.fontSize = listNumber(7);
    settings.heading = listNumber(6);
    settings.tagsBefore = pick(tags);
    settings.tagsAfter = pick(tags);
    settings.lineBreaks = coin();
    settings.notation = coin() ? Notation::Hexadecimal : Notation::Decimal;
    testCase.first = {qint16(component()), qint16(component()), qint16(component())};
    testCase.second = m_random.bounded(8u) == 0
                          ? testCase.first
                          : ColourTriple{qint16(component()), qint16(component()), qint16(component())};
    const ColourTriple* colours[] = {&testCase.first, &testCase.second};
    for (int c = 0; c < 2; ++c) {
        settings.componentTexts[size_t(3 * c)] = componentText(colours[c]->red, settings.notation);
        settings.componentTexts[size_t(3 * c + 1)] = componentText(colours[c]->green, settings.notation);
        settings.componentTexts[size_t(3 * c + 2)] = componentText(colours[c]->blue, settings.notation);
    }
    testCase.text = randomText();
    return testCase;
}

QString TestGenerationProperties::expectedOpening(const GradientSettings& settings)
{
    QString opening;
    if (settings.bold)
        opening += u"<B>"_s;
    if (settings.italic)
        opening += u"<I>"_s;
    if (settings.underline)
        opening += u"<U>"_s;
    if (settings.strike)
        opening += u"<S>"_s;
    if (settings.sizeMode == SizeMode::Normal && settings.fontSize)
        opening += u"<FONT SIZE=\""_s + QString::number(*settings.fontSize) + u"\">"_s;
    if (settings.sizeMode == SizeMode::Heading && settings.heading)
        opening += u"<H"_s + QString::number(*settings.heading) + u">"_s;
    opening += settings.tagsBefore;
    if (settings.lineBreaks)
        opening += u"\r\n"_s;
    return opening;
}

QString TestGenerationProperties::expectedClosing(const GradientSettings& settings)
{
    QString closing = settings.tagsAfter;
    if (settings.sizeMode == SizeMode::Normal && settings.fontSize)
        closing += u"</FONT>"_s;
    if (settings.sizeMode == SizeMode::Heading && settings.heading)
        closing += u"</H"_s + QString::number(*settings.heading) + u">"_s;
    if (settings.strike)
        closing += u"</S>"_s;
    if (settings.underline)
        closing += u"</U>"_s;
    if (settings.italic)
        closing += u"</I>"_s;
    if (settings.bold)
        closing += u"</B>"_s;
    return closing;
}

QString TestGenerationProperties::describe(const QString& text)
{
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.isSurrogate())
            shown += u"\\u%1"_s.arg(c.unicode(), 4, 16, QChar(u'0'));
        else
            shown += c;
    }
    return u"\""_s + shown + u"\""_s;
}

QString TestGenerationProperties::check(const Case& testCase)
{
    const GradientSettings& settings = testCase.settings;
    const bool bothSides = settings.form == GradientForm::BothSidesSame;
    const QStringList characters = GeneratedMarkup::characters(testCase.text);
    const int n = int(characters.size());

    Module1 state;
    state.SourceText = testCase.text;
    state.ResultHtml = u"previous"_s;
    RecordingHost host;
    Generate(state, settings, host);

    if (n < (bothSides ? 3 : 2)) {
        const QString message = n == 0      ? u"文字列を指定してください！"_s
                                : bothSides ? u"この文字数では実行できません！"_s
                                            : u"1文字では実行できません！"_s;
        if (host.operations() != QStringList{u"ShowMessage"_s, u"EnableMainWindow"_s} ||
            host.calls().first().argument != message || state.ResultHtml != u"previous")
            return u"refusal went wrong"_s;
        return {};
    }

    if (host.arguments(u"ShowResult"_s) != QStringList{state.ResultHtml})
        return u"the result handed over is not ResultHtml"_s;
    if (host.count(u"PumpEvents"_s) != n || host.count(u"SetProgressText"_s) != n)
        return u"not one progress text and one turn per character"_s;
    const QList<int> percentages =
        bothSides ? ExpectedSchedule::bothSidesPercentages(n) : ExpectedSchedule::leftToRightPercentages(n);
    const QStringList progress = host.arguments(u"SetProgressText"_s);
    for (int i = 0; i < n; ++i) {
        if (progress[i] != u"処理中...%1%"_s.arg(percentages[i]))
            return u"character %1 shows %2"_s.arg(i + 1).arg(progress[i]);
    }
    if (progress.last() != u"処理中...100%")
        return u"last progress is not 100%"_s;

    const QString opening = expectedOpening(settings);
    const QString closing = expectedClosing(settings);
    const QString& html = state.ResultHtml;
    if (!html.startsWith(opening) || !html.endsWith(closing) || html.size() < opening.size() + closing.size())
        return u"opening or closing differs"_s;
    const auto elements = GeneratedMarkup::readElements(
        QStringView(html).sliced(opening.size(), html.size() - opening.size() - closing.size()),
        settings.lineBreaks);
    if (!elements)
        return u"character elements unreadable"_s;
    if (elements->size() != n)
        return u"%1 elements for %2 characters"_s.arg(elements->size()).arg(n);

    const QList<ColourTriple> expected =
        bothSides ? ExpectedSchedule::bothSidesColours(testCase.first, testCase.second, n)
                  : ExpectedSchedule::leftToRightColours(testCase.first, testCase.second, n);
    auto within = [](int value, int a, int b) { return value >= std::min(a, b) && value <= std::max(a, b); };
    for (int i = 0; i < n; ++i) {
        const GeneratedMarkup::CharacterElement& element = elements->at(i);
        if (GeneratedMarkup::unescape(element.written) != characters[i])
            return u"character %1 written as %2"_s.arg(i + 1).arg(describe(element.written));
        const ColourTriple colour = GeneratedMarkup::colourFromCode(element.colourCode);
        const ColourTriple& a = testCase.first;
        const ColourTriple& b = testCase.second;
        if (!within(colour.red, a.red, b.red) || !within(colour.green, a.green, b.green) ||
            !within(colour.blue, a.blue, b.blue))
            return u"character %1 has %2 outside the gradient"_s.arg(i + 1).arg(element.colourCode);
        if (colour != expected[i])
            return u"character %1 has %2, expected %3"_s.arg(i + 1).arg(element.colourCode,
                                                                        GeneratedMarkup::codeOf(expected[i]));
    }

    // The anchors are copied, not computed: ends, and the centre of the both-sides form.
    auto colourAt = [&](int position) {
        return GeneratedMarkup::colourFromCode(elements->at(position - 1).colourCode);
    };
    if (colourAt(1) != testCase.first)
        return u"first character is not the first colour"_s;
    if (colourAt(n) != (bothSides ? testCase.first : testCase.second))
        return u"last character has the wrong colour"_s;
    if (bothSides) {
        const int h = ExpectedSchedule::halfCount(n);
        if (colourAt(h) != testCase.second || (n % 2 == 0 && colourAt(h + 1) != testCase.second))
            return u"centre is not the middle colour"_s;
    }
    return {};
}

void TestGenerationProperties::randomRuns()
{
    int generated = 0;
    for (int index = 0; index < 4000; ++index) {
        const Case testCase = randomCase();
        const QString failure = check(testCase);
        QVERIFY2(failure.isEmpty(), qPrintable(u"case %1 (%2, text %3, colours %4 %5): %6"_s.arg(index)
                                                   .arg(testCase.settings.form == GradientForm::BothSidesSame
                                                            ? u"both sides"_s
                                                            : u"left to right"_s)
                                                   .arg(describe(testCase.text))
                                                   .arg(GeneratedMarkup::codeOf(testCase.first),
                                                        GeneratedMarkup::codeOf(testCase.second))
                                                   .arg(failure)));
        if (GeneratedMarkup::characters(testCase.text).size() >= 3)
            ++generated;
    }
    // Most cases must get past the refusals, or the properties above say little.
    QVERIFY(generated > 2000);
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestGenerationProperties)
#include "TestGenerationProperties.moc"
