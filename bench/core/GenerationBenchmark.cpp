#include "Generators.h"
#include "NullHost.h"

#include <benchmark/benchmark.h>

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

GradientSettings benchmarkSettings()
{
    GradientSettings settings;
    settings.bold = true;
    settings.fontSize = u"3"_s;
    settings.lineBreaks = true;
    settings.componentTexts = {u"255"_s, u"128"_s, u"0"_s, u"0"_s, u"64"_s, u"255"_s};
    return settings;
}

template <void (*generator)(Module1&, const GradientSettings&, GenerationHost&)>
void runGeneration(benchmark::State& benchmarkState)
{
    const QString text = benchmarkText(benchmarkState.range(0));
    const GradientSettings settings = benchmarkSettings();
    Module1 state;
    NullHost host;
    for (auto _ : benchmarkState) {
        state.SourceText = text;
        generator(state, settings, host);
        benchmark::DoNotOptimize(state.ResultHtml.constData());
    }
    if (state.ResultHtml.isEmpty())
        benchmarkState.SkipWithError("the generation produced nothing");
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * benchmarkState.range(0));
}

void leftToRight(benchmark::State& benchmarkState)
{
    runGeneration<GenerateLeftToRight>(benchmarkState);
}

void bothSidesSame(benchmark::State& benchmarkState)
{
    runGeneration<GenerateBothSidesSame>(benchmarkState);
}

BENCHMARK(leftToRight)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(bothSidesSame)->Arg(32767)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace huespan
