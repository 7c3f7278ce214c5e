#pragma once
// Where the toolkit learns the DPI a window is drawn at.
#include <windows.h>

namespace quorvex::tk {

// The window's DPI: GetDpiForWindow where the system has it (Windows 10
// 1607 on), else the screen's LOGPIXELSX, which is the system DPI.
int WindowDpi(HWND hwnd);
// The system DPI (a window not made yet is made at it).
int SystemDpi();

}  // namespace quorvex::tk
