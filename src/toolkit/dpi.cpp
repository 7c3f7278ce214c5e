#include "toolkit/dpi.h"

#include "base/dpi_scale.h"

namespace quorvex::tk {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: older systems do not export it.
GetDpiForWindowFn DpiForWindowFunction() {
    static const GetDpiForWindowFn fn = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return fn;
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}

int WindowDpi(HWND hwnd) {
    if (GetDpiForWindowFn fn = DpiForWindowFunction(); fn && hwnd) {
        const UINT dpi = fn(hwnd);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

}  // namespace quorvex::tk
