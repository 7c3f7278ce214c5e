#pragma once
// Where the program's small dialogs open: directly above the search bar when
// there is room for them above its top edge, otherwise directly below it.
// Nothing is clamped to the screen.

namespace quorvex {

// barTop > dialogHeight: barTop - dialogHeight; otherwise barTop + barHeight.
int DialogTopNextToBar(int barTop, int barHeight, int dialogHeight);

}  // namespace quorvex
