#include "ColourInterpolator.h"
#include "ColourValues.h"
#include "GenerationRun.h"
#include "Generators.h"

namespace huespan {

void GenerateBothSidesSame(Module1& state, const GradientSettings& settings, GenerationHost& host)
{
    GenerationRun run(state, settings, host);
    const int n = run.check(3, QStringLiteral(u"この文字数では実行できません！"));
    if (n == 0)
        return;

    // Both halves have h characters; for an odd length they share the centre, which the right
    // half emits.
    const bool odd = n % 2 != 0;
    const int h = n / 2 + (odd ? 1 : 0);
    const int rightStart = odd ? h - 1 : h;
    const TextCharacters& characters = run.characters();
    state.SourceText = characters.left(h).toString();

    run.start();
    const auto [edge, middle] = ReadColours(settings);
    const auto halfPercentage = [h](int i) {
        // Truncation rounds down, the value never being negative.
        return static_cast<int>(static_cast<double>(i) / h * 100 / 2);
    };

    bool aborted = false;
    const ColourInterpolator towardsMiddle(edge, middle, h - 1);
    for (int i = 1; i <= h; ++i) {
        if (i == h && odd)
            break;
        const ColourTriple colour = i == 1 ? edge : i == h ? middle : towardsMiddle.at(i - 1);
        if (!run.emitCharacter(characters.at(i - 1), colour, halfPercentage(i))) {
            aborted = true;
            break;
        }
    }

    const ColourInterpolator towardsEdge(middle, edge, h - 1);
    for (int i = 1; i <= h && !aborted; ++i) {
        const ColourTriple colour = i == 1 ? middle : i == h ? edge : towardsEdge.at(i - 1);
        if (!run.emitCharacter(characters.at(rightStart + i - 1), colour, halfPercentage(i) + 50))
            aborted = true;
    }
    run.finish();
}

} // namespace huespan
