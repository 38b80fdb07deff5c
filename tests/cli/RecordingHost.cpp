#include "RecordingHost.h"

#include "Generators.h"
#include "Module1.h"

namespace huespan {

QString RecordingHost::markupFor(const GradientSettings& settings, const QString& text)
{
    Module1 state;
    state.SourceText = text;
    RecordingHost host;
    Generate(state, settings, host);
    return host.results.isEmpty() ? QString() : host.results.constFirst();
}

} // namespace huespan
