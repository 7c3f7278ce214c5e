#pragma once
// Which child control a message to its parent is about. Controls tell their
// parent of clicks, changes, colours and owner-drawn items; the toolkit hands
// each such message to the control it names (WinControl::ParentNotification),
// so a control keeps its own drawing and colours instead of every form
// answering for its children by hand.
#include <windows.h>

#include "toolkit/window.h"

namespace quorvex::tk {

// The child window a parent's message names: WM_COMMAND's lParam, WM_NOTIFY's
// hwndFrom, WM_CTLCOLOR*'s lParam, the item structure's hwndItem of
// WM_DRAWITEM, WM_COMPAREITEM and WM_DELETEITEM, WM_VKEYTOITEM's and
// WM_CHARTOITEM's list box. WM_MEASUREITEM names its control by id only
// (`CtlID`), so the child is looked up in `parent` (nullptr while the child's
// window is still being made, before it has an id to be found by). Menu
// commands, owner-drawn menu items and anything else: nullptr.
HWND ReflectedChild(HWND parent, const Message& m);

// WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC: a child asks for its colours.
constexpr bool IsControlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

}  // namespace quorvex::tk
