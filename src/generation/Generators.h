#pragma once

#include "GenerationHost.h"
#include "GradientSettings.h"
#include "Module1.h"

namespace huespan {

// Both generators work from state.SourceText and settings, clear and watch state.AbortRequested,
// build state.ResultHtml and reach the windows only through host. The caller has copied the text
// into SourceText and disabled the main window.
void GenerateLeftToRight(Module1& state, const GradientSettings& settings, GenerationHost& host);
void GenerateBothSidesSame(Module1& state, const GradientSettings& settings, GenerationHost& host);

// Picks the generator that settings.form names.
void Generate(Module1& state, const GradientSettings& settings, GenerationHost& host);

} // namespace huespan
