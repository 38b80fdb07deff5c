#include "ColourValues.h"
#include "ColourWalk.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "ProgressSteps.h"

namespace huespan {

void GenerateLeftToRight(Module1& state, const GradientSettings& settings, GenerationHost& host)
{
    GenerationRun run(state, settings, host);
    const std::optional<int> count = run.check(2, QStringLiteral(u"1文字では実行できません！"));
    if (!count)
        return;
    const int n = *count;

    run.start();
    const auto [first, second] = ReadColours(settings);
    ColourWalk steps(first, second, n - 1);
    ProgressSteps percentages(n, 100, leftToRightPercentage);
    const TextCharacters& characters = run.characters();

    for (int i = 1; i <= n; ++i) {
        const ColourTriple colour = i == 1 ? first : i == n ? second : steps.at(i - 1);
        if (!run.emitCharacter(characters.at(i - 1), colour, percentages.at(i)))
            break;
    }
    run.finish();
}

} // namespace huespan
