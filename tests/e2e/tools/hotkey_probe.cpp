// Another program's side of the hot-key tests:
//   hotkey_probe hold MS MODS,VK...  registers each combination (MOD_* bits, virtual key; numbers
//                                    in C notation) on a window of its own, prints "held" (or
//                                    "refused MODS,VK" and exit 1), keeps them for MS ms
//   hotkey_probe texts               every visible window of the bar's program but the bar: the
//                                    window's text and [class], then its children's texts, one per line (UTF-8)
//   hotkey_probe answerbox           presses OK on the program's message box (exit 1: none open)
//   hotkey_probe balloonclick        posts the shell's callback for a click on the tray balloon
//   hotkey_probe taskbarcreated      broadcasts "TaskbarCreated" with the icon left in place, then
//                                    sends it to the icon's window; exit 0 once that was answered
#include <windows.h>

#include "print_line.h"
#include "process_window.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND FindBar() { return FindWindowW(L"TF_Search", nullptr); }
HWND TrayWindow(HWND bar) { return probe::FindWindowOfSameProcess(bar, L"QuorvexTrayIconWindow", false); }

// Across processes the text comes by WM_GETTEXT.
std::wstring TextOf(HWND w) {
    wchar_t text[512] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &n);
    return text;
}

int Hold(int argc, wchar_t** argv) {
    HWND w = CreateWindowExW(0, L"STATIC", L"hotkey-holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!w) return 1;
    for (int i = 3; i < argc; ++i) {
        wchar_t* end = nullptr;
        const UINT mods = wcstoul(argv[i], &end, 0);
        const UINT vk = *end == L',' ? wcstoul(end + 1, nullptr, 0) : 0;
        if (!RegisterHotKey(w, i, mods, vk)) {
            printf("refused %ls\n", argv[i]);
            return 1;
        }
    }
    printf("held\n");
    fflush(stdout);
    probe::PumpMessagesFor(wcstoul(argv[2], nullptr, 10));
    DestroyWindow(w);
    return 0;
}

int Texts() {
    HWND bar = FindBar();
    if (!bar) return 1;
    struct Find {
        DWORD pid;
        HWND bar, app;
    } f{0, bar, GetWindow(bar, GW_OWNER)};
    GetWindowThreadProcessId(bar, &f.pid);
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid != f->pid || h == f->bar || h == f->app || !IsWindowVisible(h)) return TRUE;
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            probe::PrintLine(TextOf(h) + L" [" + cls + L"]");
            EnumChildWindows(
                h,
                [](HWND c, LPARAM) -> BOOL {
                    if (IsWindowVisible(c)) probe::PrintLine(L"  " + TextOf(c));
                    return TRUE;
                },
                0);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return 0;
}

// The program's message box (class "#32770"), answered with its OK button.
int AnswerMessageBox() {
    HWND bar = FindBar();
    if (!bar) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HWND box = probe::FindProcessWindow(pid, L"#32770", true);
    if (!box) return 1;
    return PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring cmd = argv[1];
    if (cmd == L"hold" && argc >= 4) return Hold(argc, argv);
    if (cmd == L"texts") return Texts();
    if (cmd == L"answerbox") return AnswerMessageBox();
    HWND bar = FindBar();
    HWND tray = bar ? TrayWindow(bar) : nullptr;
    if (!tray) return 1;
    const WPARAM id = reinterpret_cast<WPARAM>(tray);
    if (cmd == L"balloonclick") {
        constexpr LPARAM BalloonUserClick = WM_USER + 5;  // NIN_BALLOONUSERCLICK
        return PostMessageW(tray, WM_USER + 1, id, BalloonUserClick) ? 0 : 1;
    }
    if (cmd == L"taskbarcreated") {
        const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
        DWORD_PTR r = 0;
        SendMessageTimeoutW(HWND_BROADCAST, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
        // A modal error box inside the handler would hold this past the timeout.
        return SendMessageTimeoutW(tray, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &r) ? 0 : 1;
    }
    return 2;
}
