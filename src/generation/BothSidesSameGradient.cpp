#include "ColourValues.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "GradientSteps.h"

#include <cmath>

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
        return static_cast<int>(std::floor(static_cast<double>(i) / h * 100 / 2));
    };

    bool aborted = false;
    const ColourTriple towardsMiddle = ColourDifference(middle, edge);
    for (int i = 1; i <= h; ++i) {
        if (i == h && odd)
            break;
        const ColourTriple colour = i == 1   ? edge
                                    : i == h ? middle
                                             : StepColour(edge, towardsMiddle, i - 1, h - 1);
        if (!run.emitCharacter(characters.at(i - 1), colour, halfPercentage(i))) {
            aborted = true;
            break;
        }
    }

    const ColourTriple towardsEdge = ColourDifference(edge, middle);
    for (int i = 1; i <= h && !aborted; ++i) {
        const ColourTriple colour = i == 1   ? middle
                                    : i == h ? edge
                                             : StepColour(middle, towardsEdge, i - 1, h - 1);
        if (!run.emitCharacter(characters.at(rightStart + i - 1), colour, halfPercentage(i) + 50))
            aborted = true;
    }
    run.finish();
}

} // namespace huespan
