#pragma once
// Modifier keys and mouse buttons held with a key or mouse event.
#include <windows.h>

#include "toolkit/mouse_button.h"

namespace quorvex::tk {

using ShiftState = unsigned;
enum : ShiftState {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,  // with a left press: the second press of a double click
};

// The modifiers held now, from the thread's keyboard state.
ShiftState KeyboardShiftState();
// The modifiers and buttons packed in a mouse message's wParam (MK_*), plus Alt.
ShiftState MouseShiftState(WPARAM keys);

}  // namespace quorvex::tk
