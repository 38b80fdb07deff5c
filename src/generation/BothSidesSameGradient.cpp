#include "ColourValues.h"
#include "ColourWalk.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "ProgressSteps.h"

namespace huespan {

void GenerateBothSidesSame(Module1& state, const GradientSettings& settings, GenerationHost& host)
{
    GenerationRun run(state, settings, host);
    const std::optional<int> count = run.check(3, QStringLiteral(u"この文字数では実行できません！"));
    if (!count)
        return;
    const int n = *count;

    // Both halves have h characters; for an odd length they share the centre, which the right
    // half emits.
    const bool odd = n % 2 != 0;
    const int h = n / 2 + (odd ? 1 : 0);
    const int rightStart = odd ? h - 1 : h;
    const TextCharacters& characters = run.characters();
    state.SourceText = characters.left(h).toString();

    run.start();
    const auto [edge, middle] = ReadColours(settings);

    bool aborted = false;
    ColourWalk towardsMiddle(edge, middle, h - 1);
    ProgressSteps leftPercentages(h, 50, halfPercentage);
    for (int i = 1; i <= h; ++i) {
        if (i == h && odd)
            break;
        const ColourTriple colour = i == 1 ? edge : i == h ? middle : towardsMiddle.at(i - 1);
        if (!run.emitCharacter(characters.at(i - 1), colour, leftPercentages.at(i))) {
            aborted = true;
            break;
        }
    }

    ColourWalk towardsEdge(middle, edge, h - 1);
    ProgressSteps rightPercentages(h, 50, halfPercentage);
    for (int i = 1; i <= h && !aborted; ++i) {
        const ColourTriple colour = i == 1 ? middle : i == h ? edge : towardsEdge.at(i - 1);
        if (!run.emitCharacter(characters.at(rightStart + i - 1), colour, rightPercentages.at(i) + 50))
            aborted = true;
    }
    run.finish();
}

} // namespace huespan
