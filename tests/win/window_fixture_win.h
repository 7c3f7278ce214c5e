#pragma once
// A plain top-level window to host controls under test, and message pumping.
#include <windows.h>

#include <string>

namespace quorvex::test {

// Dispatches this thread's messages for `ms` milliseconds.
inline void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}

// Pumps until `done()` holds or `ms` pass; returns done().
template <typename Pred>
bool PumpUntil(Pred done, DWORD ms = 3000) {
    const DWORD end = GetTickCount() + ms;
    while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) PumpFor(20);
    return done();
}

class TopWindow {
public:
    explicit TopWindow(const wchar_t* title, int width = 320, int height = 200) {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = L"QuorvexTestTop";
            return RegisterClassW(&wc);
        }();
        (void)atom;
        hwnd_ = CreateWindowExW(0, L"QuorvexTestTop", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, width, height,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        PumpFor(30);
    }
    ~TopWindow() { DestroyWindow(hwnd_); }
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;
    HWND Handle() const { return hwnd_; }
    void Activate() const {
        SetForegroundWindow(hwnd_);
        SetActiveWindow(hwnd_);
        PumpFor(50);
    }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace quorvex::test
