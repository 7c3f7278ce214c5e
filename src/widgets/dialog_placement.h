#pragma once
// Where the program's small dialogs open: directly above the search bar when
// there is room for them between its top edge and the top of the monitor the
// bar is on, otherwise directly below it. Nothing is clamped to the screen.

namespace quorvex {

// barTop - monitorTop > dialogHeight: barTop - dialogHeight; otherwise
// barTop + barHeight. monitorTop is 0 on the primary monitor.
int DialogTopNextToBar(int barTop, int barHeight, int dialogHeight, int monitorTop = 0);

}  // namespace quorvex
