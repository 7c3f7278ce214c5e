// Walks a running setup's wizard from outside, as its user would with Next:
//   setup_probe page N MS   waits (at most MS ms) for the setup's window, presses
//                           Next N times, each time waiting until the next page is
//                           up (the Next button's caption changes), and prints
//                           "rect=x y w h" (the window on the screen), "next=" (that caption)
//                           and "radios=" (the page's radio buttons in order, joined
//                           by "|", the checked one marked with a leading "*")
//   setup_probe end         ends the setup's process (Cancel would ask first)
// The setup's window is its wizard dialog titled "Quorvex …". UTF-8 output;
// exit 1 on a timeout or when no setup runs.
#include <windows.h>

#include "print_line.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int NextButtonId = 1;

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

BOOL CALLBACK MatchSetup(HWND window, LPARAM found) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (TextOf(window).rfind(L"Quorvex", 0) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The page inside the wizard's frame: a dialog of its own, a direct child of
// the frame, shown once its controls are in place.
BOOL CALLBACK MatchPage(HWND window, LPARAM found) {
    HWND& page = *reinterpret_cast<HWND*>(found);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wcscmp(cls, L"#32770") != 0 || GetParent(window) != page || !IsWindowVisible(window)) return TRUE;
    page = window;
    return FALSE;
}

HWND FindPage(HWND setup) {
    HWND found = setup;
    EnumChildWindows(setup, MatchPage, reinterpret_cast<LPARAM>(&found));
    return found != setup ? found : nullptr;
}

HWND FindSetup() {
    HWND found = nullptr;
    EnumWindows(MatchSetup, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Polls `done` every 50 ms until it holds or `deadline` (a GetTickCount64 value) passes.
BOOL CALLBACK AddRadio(HWND window, LPARAM radios) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    const LONG_PTR kind = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
    if (_wcsicmp(cls, L"Button") != 0 || !IsWindowVisible(window) ||
        (kind != BS_RADIOBUTTON && kind != BS_AUTORADIOBUTTON))
        return TRUE;
    auto& text = *reinterpret_cast<std::wstring*>(radios);
    if (!text.empty()) text += L'|';
    if (SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) text += L'*';
    text += TextOf(window);
    return TRUE;
}

template <typename Done>
bool WaitUntil(ULONGLONG deadline, Done done) {
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(50);
    }
}

int Page(int presses, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    HWND setup = nullptr;
    const auto ready = [&] {
        return (setup = FindSetup()) != nullptr && GetDlgItem(setup, NextButtonId) && FindPage(setup);
    };
    if (!WaitUntil(deadline, ready)) {
        probe::PrintLine(L"error=no setup window");
        return 1;
    }
    HWND next = GetDlgItem(setup, NextButtonId);
    std::wstring caption = TextOf(next);
    for (int k = 0; k < presses; ++k) {
        // The wizard's own way to the next page: the Next button's command.
        PostMessageW(setup, WM_COMMAND, MAKEWPARAM(NextButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(next));
        const std::wstring before = caption;
        if (!WaitUntil(deadline, [&] { return (caption = TextOf(next)) != before; })) {
            probe::PrintLine(L"error=page " + std::to_wstring(k + 2) + L" did not come up");
            return 1;
        }
    }
    RECT r{};
    GetWindowRect(setup, &r);
    wchar_t line[96];
    swprintf(line, 96, L"rect=%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    probe::PrintLine(line);
    probe::PrintLine(L"next=" + caption);
    std::wstring radios;
    EnumChildWindows(setup, AddRadio, reinterpret_cast<LPARAM>(&radios));
    probe::PrintLine(L"radios=" + radios);
    return 0;
}

int End() {
    HWND setup = FindSetup();
    if (!setup) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(setup, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return 1;
    const bool ended = TerminateProcess(process, 1) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"page") return Page(_wtoi(argv[2]), static_cast<DWORD>(_wtoi(argv[3])));
    if (argc == 2 && std::wstring(argv[1]) == L"end") return End();
    probe::PrintLine(L"usage: setup_probe page N MS | setup_probe end");
    return 2;
}
