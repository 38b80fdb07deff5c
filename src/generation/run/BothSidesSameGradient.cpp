#include "ColourValues.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "ProgressSteps.h"
#include "UnitColours.h"

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

    // The whole schedule first, in text order, in a loop of its own: the character loops then
    // only copy.
    const std::vector<ColourTriple> colours =
        UnitColours::twoColourSchedule(GradientForm::BothSidesSame, edge, middle, n);

    bool aborted = false;
    ProgressSteps leftPercentages(h, 50, halfPercentage);
    for (int i = 1; i <= h; ++i) {
        if (i == h && odd)
            break;
        if (!run.emitCharacter(characters.at(i - 1), colours[static_cast<size_t>(i - 1)],
                               leftPercentages.at(i))) {
            aborted = true;
            break;
        }
    }

    ProgressSteps rightPercentages(h, 50, halfPercentage);
    for (int i = 1; i <= h && !aborted; ++i) {
        const int index = rightStart + i - 1;
        if (!run.emitCharacter(characters.at(index), colours[static_cast<size_t>(index)],
                               rightPercentages.at(i) + 50))
            aborted = true;
    }
    run.finish();
}

} // namespace huespan
