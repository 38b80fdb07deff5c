#include "Generators.h"

namespace huespan {

void Generate(Module1& state, const GradientSettings& settings, GenerationHost& host)
{
    if (!settings.extended.isDefault())
        GenerateExtended(state, settings, host);
    else if (settings.form == GradientForm::LeftToRight)
        GenerateLeftToRight(state, settings, host);
    else
        GenerateBothSidesSame(state, settings, host);
}

} // namespace huespan
