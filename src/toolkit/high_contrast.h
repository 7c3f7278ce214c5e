#pragma once
// The high-contrast decision and palette as the system reports them now.
// Every paint asks afresh, so a change of the setting shows on the next
// repaint (forms repaint on WM_SETTINGCHANGE, WM_SYSCOLORCHANGE and
// WM_THEMECHANGED).
#include <windows.h>

#include "base/high_contrast.h"

namespace quorvex::tk {

bool HighContrastOn();
ContrastPalette SystemContrastPalette();

// Forces the decision for this process (tests); System follows the setting.
void SetHighContrastOverride(ContrastOverride override);

// Fills `r` with `colour`.
void FillSolid(HDC dc, const RECT& r, COLORREF colour);
// A one-pixel frame inside `r`.
void FrameSolid(HDC dc, const RECT& r, COLORREF colour);

}  // namespace quorvex::tk
