#pragma once

#include <string>

class TDMini1;

// What is timed: one step of dragging a game window's rectangle across the window page's
// screen preview, with the events alone handled, and with the window repainted after each step
// as it is while the user drags.
namespace DragOperation {
inline constexpr const char *Step = "DragStep";
inline constexpr const char *StepRepainted = "DragStep_Repainted";
} // namespace DragOperation

// Steps in one drag, from the press to the release; every benchmark iteration is one step.
inline constexpr int DragSteps = 1000;

// Registers the drag benchmarks on the shown main window, which must outlive the run.
void RegisterDragBenchmarks(TDMini1 &window);
