#include "bar/window_rules.h"

namespace quorvex {

bool InDragZone(int x, int y, int width) {
    // Compare in 64 bits: width comes from the window system and may be tiny
    // or absurd; width - 60 must not wrap.
    const long long right = static_cast<long long>(width) - DragZoneRightMargin;
    return x >= 0 && x < right && y >= 0 && y < DragZoneHeight;
}

long BarHitTest(long defaultResult, bool inDragZone) {
    return (defaultResult == HitClient && inDragZone) ? HitCaption : defaultResult;
}

ActivateAction DecideActivateApp(std::uintptr_t wParam, bool barIsActiveForm, bool otherFormActive) {
    if (wParam != 1) return ActivateAction::Dim;
    if (barIsActiveForm) return ActivateAction::Opaque;
    if (otherFormActive) return ActivateAction::BringUpForm;
    return ActivateAction::Nothing;
}

}  // namespace quorvex
