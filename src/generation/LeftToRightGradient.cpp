#include "ColourInterpolator.h"
#include "ColourValues.h"
#include "GenerationRun.h"
#include "Generators.h"

namespace huespan {

void GenerateLeftToRight(Module1& state, const GradientSettings& settings, GenerationHost& host)
{
    GenerationRun run(state, settings, host);
    const int n = run.check(2, QStringLiteral(u"1文字では実行できません！"));
    if (n == 0)
        return;

    run.start();
    const auto [first, second] = ReadColours(settings);
    const ColourInterpolator steps(first, second, n - 1);
    const TextCharacters& characters = run.characters();

    for (int i = 1; i <= n; ++i) {
        const ColourTriple colour = i == 1 ? first : i == n ? second : steps.at(i - 1);
        // In this order, in double precision, then truncated (the value is never negative): a few
        // exact percentages come out one lower.
        const auto percentage = static_cast<int>(static_cast<double>(i) / n * 100);
        if (!run.emitCharacter(characters.at(i - 1), colour, percentage))
            break;
    }
    run.finish();
}

} // namespace huespan
