#include "ColourValues.h"
#include "Generators.h"
#include "NullHost.h"
#include "UnitColours.h"

#include <benchmark/benchmark.h>
#include <cstring>

using namespace Qt::StringLiterals;

namespace huespan {
namespace {

// Japanese and ASCII mixed the way users write, with characters that need escaping.
QString benchmarkText(qsizetype length)
{
    const QString pattern = u"グラデーションのHTMLを生成します <b>&amp; 色見本 A→B、漢字とかな。"_s;
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text += pattern;
    text.truncate(length);
    return text;
}

// Emoji sequences, flags, skin tones and accents typed as combining marks among plain letters.
QString emojiText(qsizetype length)
{
    const QString pattern = u"家族\U0001F468\u200D\U0001F469\u200D\U0001F467と旅行\U0001F1EF\U0001F1F5 "
                            u"\U0001F44D\U0001F3FDcafe\u0301 か\u3099 1\uFE0F\u20E3 😀"_s;
    QString text;
    while (text.size() + pattern.size() <= length)
        text += pattern;
    while (text.size() < length)
        text += u'a';
    return text;
}

GradientSettings benchmarkSettings()
{
    GradientSettings settings;
    settings.bold = true;
    settings.fontSize = 3;
    settings.lineBreaks = true;
    settings.componentTexts = {u"255"_s, u"128"_s, u"0"_s, u"0"_s, u"64"_s, u"255"_s};
    return settings;
}

void runGeneration(benchmark::State& benchmarkState, const QString& text, const GradientSettings& settings)
{
    Module1 state;
    NullHost host;
    for (auto _ : benchmarkState) {
        state.SourceText = text;
        Generate(state, settings, host);
        benchmark::DoNotOptimize(state.ResultHtml.constData());
    }
    if (state.ResultHtml.isEmpty())
        benchmarkState.SkipWithError("the generation produced nothing");
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * benchmarkState.range(0));
    benchmarkState.counters["bytes"] = static_cast<double>(state.ResultHtml.size());
}

void leftToRight(benchmark::State& benchmarkState)
{
    runGeneration(benchmarkState, benchmarkText(benchmarkState.range(0)), benchmarkSettings());
}

void bothSidesSame(benchmark::State& benchmarkState)
{
    GradientSettings settings = benchmarkSettings();
    settings.form = GradientForm::BothSidesSame;
    runGeneration(benchmarkState, benchmarkText(benchmarkState.range(0)), settings);
}

// The least work that writes what LeftToRight writes: the colours computed beforehand, the
// markup copied into one buffer allocated once, no progress, no host, no checks.
void floorMarkup(benchmark::State& benchmarkState)
{
    const QString text = benchmarkText(benchmarkState.range(0));
    const GradientSettings settings = benchmarkSettings();
    const auto [first, second] = ReadColours(settings);
    const std::vector<ColourTriple> colours = UnitColours::twoColourSchedule(
        GradientForm::LeftToRight, first, second, static_cast<int>(text.size()));
    std::vector<std::array<char16_t, 6>> codes;
    for (const ColourTriple& colour : colours) {
        std::array<char16_t, 6> code{};
        const QString digits = ColourCode(colour);
        std::memcpy(code.data(), digits.utf16(), sizeof(code));
        codes.push_back(code);
    }
    const QStringView opening = u"<B><FONT SIZE=\"3\">\r\n";
    const QStringView closing = u"</FONT></B>";
    QString markup;
    markup.resize(text.size() * 40 + 64);
    for (auto _ : benchmarkState) {
        char16_t* out = reinterpret_cast<char16_t*>(markup.data());
        const auto put = [&out](QStringView piece) {
            std::memcpy(out, piece.utf16(), piece.size() * sizeof(char16_t));
            out += piece.size();
        };
        put(opening);
        for (qsizetype i = 0; i < text.size(); ++i) {
            put(u"<FONT COLOR=\"#");
            std::memcpy(out, codes[static_cast<size_t>(i)].data(), 6 * sizeof(char16_t));
            out += 6;
            put(u"\">");
            switch (text[i].unicode()) {
            case u'<':
                put(u"&lt;");
                break;
            case u'>':
                put(u"&gt;");
                break;
            case u' ':
                put(u"&nbsp;");
                break;
            case u'&':
                put(u"&amp;");
                break;
            default:
                *out++ = text[i].unicode();
            }
            put(u"</FONT>\r\n");
        }
        put(closing);
        benchmark::DoNotOptimize(markup.constData());
        benchmark::ClobberMemory();
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * benchmarkState.range(0));
}

// Five stops interpolated in OKLCH: night blue, violet, coral, gold, teal, whose path stays in the
// sRGB gamut. (Vivid primaries leave it; their units take the gamut mapping's search, which
// UnitColours/Oklch5Vivid measures.)
void stops(benchmark::State& benchmarkState)
{
    GradientSettings settings = benchmarkSettings();
    settings.extended.stops = {{{0x1E, 0x1E, 0x5A}, std::nullopt},
                               {{0x6A, 0x30, 0x93}, std::nullopt},
                               {{0xE9, 0x64, 0x43}, std::nullopt},
                               {{0xFF, 0xC3, 0x71}, std::nullopt},
                               {{0x2C, 0x53, 0x64}, std::nullopt}};
    settings.extended.space = ColourSpace::Oklch;
    runGeneration(benchmarkState, benchmarkText(benchmarkState.range(0)), settings);
}

// Grapheme clusters of an emoji-rich text.
void grapheme(benchmark::State& benchmarkState)
{
    GradientSettings settings = benchmarkSettings();
    settings.extended.unit = TextUnit::Grapheme;
    runGeneration(benchmarkState, emojiText(benchmarkState.range(0)), settings);
}

// Neighbours of one colour sharing their element.
void merge(benchmark::State& benchmarkState)
{
    GradientSettings settings = benchmarkSettings();
    settings.extended.merge = true;
    runGeneration(benchmarkState, benchmarkText(benchmarkState.range(0)), settings);
}

BENCHMARK(floorMarkup)->Name("Floor")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(leftToRight)->Name("LeftToRight")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(bothSidesSame)->Name("BothSidesSame")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(stops)->Name("Stops")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(grapheme)->Name("Grapheme")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(merge)->Name("Merge")->Arg(32767)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace huespan
