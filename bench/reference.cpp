// Reference program for the start-up and memory benchmark: the bare minimum a
// bar like ours does before it is on screen. One class, one topmost layered
// 256x55 popup, shown and painted, then a message loop until WM_CLOSE.
//
// With /hotkey it also registers the bar's default hot key (Win+S) and, on
// it, hides the window when shown, else shows it and makes it foreground:
// the least a program does to come up on a hot key.
#include <windows.h>

#include <cwchar>

namespace {

constexpr int HotKeyId = 1;

void ToggleOnHotKey(HWND hwnd) {
    if (IsWindowVisible(hwnd)) {
        ShowWindow(hwnd, SW_HIDE);
    } else {
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
    }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(RGB(37, 38, 43));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_HOTKEY:
        if (wp == HotKeyId) ToggleOnHotKey(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"QuorvexBenchReference";
    if (!RegisterClassExW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED, wc.lpszClassName, L"Reference", WS_POPUP, 400, 300, 256,
                                55, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    if (commandLine && std::wcsstr(commandLine, L"/hotkey") && !RegisterHotKey(hwnd, HotKeyId, MOD_WIN, 'S')) return 1;
    ShowWindow(hwnd, show == SW_HIDE ? SW_SHOWNORMAL : show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
