#include "ColourValues.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "ProgressSteps.h"
#include "UnitColours.h"

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
    // The whole schedule first, in a loop of its own: the per-character loop then only copies.
    const std::vector<ColourTriple> colours =
        UnitColours::twoColourSchedule(GradientForm::LeftToRight, first, second, n);
    ProgressSteps percentages(n, 100, leftToRightPercentage);
    const TextCharacters& characters = run.characters();

    for (int i = 1; i <= n; ++i) {
        if (!run.emitCharacter(characters.at(i - 1), colours[static_cast<size_t>(i - 1)], percentages.at(i)))
            break;
    }
    run.finish();
}

} // namespace huespan
