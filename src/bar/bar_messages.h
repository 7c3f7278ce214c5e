#pragma once
// The bar's private window messages, sent to it by the program's other
// windows and by a second instance of the program.
#include <windows.h>

namespace quorvex {

// Lay the buttons out again: the custom buttons dialog, after each change.
constexpr UINT WM_APP_ARRANGE = WM_APP + 1;
// Come back from hiding: a second instance that found the bar hidden.
constexpr UINT WM_APP_RESTORE = WM_APP + 2;
// A suggestion request has ended (wParam: its serial): search/suggest_fetch_win.h.
constexpr UINT WM_APP_SUGGEST = WM_APP + 3;
// An accessibility client asked for a button's default action (wParam: the
// child id of bar/accessible_elements): the bar clicks it.
constexpr UINT WM_APP_ACCESSIBLE_ACTION = WM_APP + 10;

}  // namespace quorvex
