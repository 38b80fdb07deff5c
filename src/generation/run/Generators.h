#pragma once

#include "GenerationHost.h"
#include "GradientSettings.h"
#include "Module1.h"

namespace huespan {

// Every generator works from state.SourceText and settings, clears and watches
// state.AbortRequested, builds state.ResultHtml and reaches the windows only through host. The
// caller has copied the text into SourceText and disabled the main window.
void GenerateLeftToRight(Module1& state, const GradientSettings& settings, GenerationHost& host);
void GenerateBothSidesSame(Module1& state, const GradientSettings& settings, GenerationHost& host);

// A run with settings.extended: the text cut into units, one colour per unit from the stops in the
// chosen space, written in the chosen format, through the same frame of checks, progress, abort and
// hand-over. Progress is shown after every unit, as the percentage of units written.
void GenerateExtended(Module1& state, const GradientSettings& settings, GenerationHost& host);

// Picks the generator: the form's plain generator when settings.extended is at its defaults,
// otherwise the extended one.
void Generate(Module1& state, const GradientSettings& settings, GenerationHost& host);

} // namespace huespan
