#include "ColourValues.h"
#include "StopGradient.h"

#include <QString>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace huespan {
namespace {

// Five stops whose OKLCH path stays inside the sRGB gamut: night blue, violet, coral, gold, teal.
std::vector<ColourStop> fiveStops()
{
    return {{{0x1E, 0x1E, 0x5A}, {}},
            {{0x6A, 0x30, 0x93}, {}},
            {{0xE9, 0x64, 0x43}, {}},
            {{0xFF, 0xC3, 0x71}, {}},
            {{0x2C, 0x53, 0x64}, {}}};
}

// Five pastels; four fifths of their OKLCH path lie a little outside the gamut (within the
// just-noticeable difference of it, so the gamut mapping clips them without a search).
std::vector<ColourStop> fivePastelStops()
{
    return {{{255, 179, 186}, {}},
            {{255, 223, 186}, {}},
            {{255, 255, 186}, {}},
            {{186, 255, 201}, {}},
            {{186, 225, 255}, {}}};
}

// Primaries and secondaries: two thirds of their OKLCH path lie far outside the gamut, where
// every unit takes the full binary search of the gamut mapping.
std::vector<ColourStop> fiveVividStops()
{
    return {
        {{255, 0, 0}, {}}, {{255, 255, 0}, {}}, {{0, 255, 0}, {}}, {{0, 0, 255}, {}}, {{255, 0, 255}, {}}};
}

void measureUnitColours(benchmark::State& state, const StopGradient& gradient)
{
    const auto count = static_cast<qsizetype>(state.range(0));
    std::vector<ColourTriple> colours;
    for (auto _ : state) {
        gradient.unitColours(count, colours);
        benchmark::DoNotOptimize(colours.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void UnitColoursOklch5(benchmark::State& state)
{
    measureUnitColours(state, StopGradient(fiveStops(), ColourSpace::Oklch, HueInterpolation::Shorter));
}

void UnitColoursOklch5Pastel(benchmark::State& state)
{
    measureUnitColours(state, StopGradient(fivePastelStops(), ColourSpace::Oklch, HueInterpolation::Shorter));
}

void UnitColoursOklch5Vivid(benchmark::State& state)
{
    measureUnitColours(state, StopGradient(fiveVividStops(), ColourSpace::Oklch, HueInterpolation::Shorter));
}

void UnitColoursOklab5(benchmark::State& state)
{
    measureUnitColours(state, StopGradient(fiveStops(), ColourSpace::Oklab, HueInterpolation::Shorter));
}

void UnitColoursLinearSrgb5(benchmark::State& state)
{
    measureUnitColours(state, StopGradient(fiveStops(), ColourSpace::LinearSrgb, HueInterpolation::Shorter));
}

void UnitColoursHsl5(benchmark::State& state)
{
    measureUnitColours(state, StopGradient(fiveStops(), ColourSpace::Hsl, HueInterpolation::Shorter));
}

void UnitColoursSrgb2(benchmark::State& state)
{
    measureUnitColours(state, StopGradient({{{255, 128, 0}, {}}, {{0, 64, 255}, {}}}, ColourSpace::Srgb,
                                           HueInterpolation::Shorter));
}

// The floor the colour work is weighed against: the least work that writes the markup of a whole
// run (one font element per character, about 1 MB) from colours and element texts prepared
// beforehand into a buffer reserved beforehand.
void ColourFloorMarkup(benchmark::State& state)
{
    const auto count = static_cast<qsizetype>(state.range(0));
    std::vector<QString> elements;
    elements.reserve(static_cast<std::size_t>(count));
    const StopGradient gradient(fiveStops(), ColourSpace::Srgb, HueInterpolation::Shorter);
    std::vector<ColourTriple> colours;
    gradient.unitColours(count, colours);
    for (const ColourTriple& colour : colours)
        elements.push_back(u"<FONT COLOR=\"#"_s + ColourCode(colour) + u"\">あ</FONT>\r\n"_s);
    QString markup;
    for (auto _ : state) {
        markup.clear();
        markup.reserve(count * 32);
        for (const QString& element : elements)
            markup.append(element);
        benchmark::DoNotOptimize(markup.constData());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(UnitColoursOklch5)->Name("UnitColours/Oklch5")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnitColoursOklch5Pastel)
    ->Name("UnitColours/Oklch5Pastel")
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(UnitColoursOklch5Vivid)->Name("UnitColours/Oklch5Vivid")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnitColoursOklab5)->Name("UnitColours/Oklab5")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnitColoursLinearSrgb5)->Name("UnitColours/LinearSrgb5")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnitColoursHsl5)->Name("UnitColours/Hsl5")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnitColoursSrgb2)->Name("UnitColours/Srgb2")->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(ColourFloorMarkup)->Name("UnitColours/FloorMarkup")->Arg(32767)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace huespan
