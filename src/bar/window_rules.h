#pragma once
// The search bar's window-level rules that do not need the window system:
// the drag strip, the hit-test answer and the opacity on (de)activation.
#include <cstdint>

namespace quorvex {

constexpr std::uint8_t OpaqueAlpha = 255;
constexpr std::uint8_t DimmedAlpha = 166;

// The strip the borderless bar is dragged by: the top 20 pixels without the
// right-most 60, where the minimise and close buttons sit.
constexpr int DragZoneHeight = 20;
constexpr int DragZoneRightMargin = 60;

// x, y in the bar's client coordinates; width is the bar's width.
bool InDragZone(int x, int y, int width);

// Hit-test codes as the system defines them.
constexpr long HitClient = 1;
constexpr long HitCaption = 2;

// The default hit-test answer, turned into "caption" inside the drag strip.
long BarHitTest(long defaultResult, bool inDragZone);

enum class ActivateAction {
    Opaque,       // alpha 255, then the clipboard check
    BringUpForm,  // a dialog of the program is active: show it, alpha unchanged
    Dim,          // alpha DimmedAlpha
    Nothing,      // activated with no form of ours active: alpha unchanged
};

// wParam of WM_ACTIVATEAPP; which of the program's forms is active.
ActivateAction DecideActivateApp(std::uintptr_t wParam, bool barIsActiveForm, bool otherFormActive);

}  // namespace quorvex
