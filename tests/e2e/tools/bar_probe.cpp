// Looks at the running bar from outside, as the end-to-end scripts need it.
//   bar_probe info                 rect, visibility, alpha, query text and list
//   bar_probe wait [ms]            waits for a visible bar that answers a sent message, then prints info
//   bar_probe waitfor MS KEY=VALUE...  waits until info holds every KEY=VALUE; prints info (exit 1 on timeout)
//   bar_probe sync [ms]            returns once the bar's thread has answered a sent message: everything
//                                  it was doing when asked (a handler, the start-up) is finished
//   bar_probe gone [ms]            waits until no bar window exists (exit 0) or times out (1)
//   bar_probe count                number of bar windows
//   bar_probe box [ms]             waits for a message box of the program; prints its text
//   bar_probe answer ID [ms]       presses button ID (1 OK, 6 Yes, 7 No) of that box
//   bar_probe nobox [ms]           exit 0 when no such box shows within the time
//   bar_probe menu [ms]            waits for an open popup menu; prints its screen rect
//   bar_probe clip TEXT            puts TEXT on the clipboard
//   bar_probe settext TEXT         sets the query box's text
//   bar_probe focus                brings the bar to the foreground
//   bar_probe tip [ms]             waits for a shown tool tip of the bar; prints its text
//   bar_probe closeapp             sends WM_CLOSE to the application window (taskbar "Close")
// Texts are printed as UTF-8; every command exits 1 when it times out.
#include <windows.h>

#include "print_line.h"
#include "process_window.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring GetText(HWND h) {
    LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    LRESULT got = SendMessageW(h, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return s;
}

std::wstring Escape(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\n') out += L"\\n";
        else if (c == L'\r') out += L"\\r";
        else if (c == L'\t') out += L"\\t";
        else out += c;
    }
    return out;
}

HWND Bar() { return FindWindowW(L"TF_Search", nullptr); }

HWND Combo(HWND bar) { return FindWindowExW(bar, nullptr, L"ComboBox", nullptr); }

bool WaitFor(DWORD ms, bool (*ready)()) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (ready()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(50);
    }
}

std::wstring InfoText() {
    HWND bar = Bar();
    if (!bar) return L"nobar";
    std::wstring out;
    const auto Print = [&out](const std::wstring& line) { out += line + L"\n"; };
    RECT r{};
    GetWindowRect(bar, &r);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    const bool layered = GetLayeredWindowAttributes(bar, &key, &alpha, &flags) != FALSE;
    const LONG_PTR ex = GetWindowLongPtrW(bar, GWL_EXSTYLE);
    wchar_t line[256];
    swprintf(line, 256, L"rect=%ld,%ld,%ld,%ld\nsize=%ldx%ld\nvisible=%d\nenabled=%d\ntopmost=%d\nlayered=%d\nalpha=%d",
             r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top, IsWindowVisible(bar) ? 1 : 0,
             IsWindowEnabled(bar) ? 1 : 0, (ex & WS_EX_TOPMOST) ? 1 : 0, (ex & WS_EX_LAYERED) ? 1 : 0,
             layered && (flags & LWA_ALPHA) ? alpha : -1);
    Print(line);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    swprintf(line, 256, L"screen=%ldx%ld\nonscreen=%d", screen.right, screen.bottom,
             r.left >= 0 && r.top >= 0 && r.right <= screen.right && r.bottom <= screen.bottom ? 1 : 0);
    Print(line);
    if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) {
        RECT t{};
        GetWindowRect(tray, &t);
        swprintf(line, 256, L"taskbar=%ld,%ld,%ld,%ld", t.left, t.top, t.right, t.bottom);
        Print(line);
    } else {
        Print(L"taskbar=none");
    }
    HWND combo = Combo(bar);
    Print(L"text=" + Escape(combo ? GetText(combo) : L""));
    std::wstring items;
    if (combo) {
        const LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
            std::wstring s(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
            const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(s.data()));
            s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
            if (i) items += L"|";
            items += Escape(s);
        }
        swprintf(line, 256, L"count=%ld", static_cast<long>(n));
        Print(line);
    }
    Print(L"items=" + items);
    HWND owner = GetWindow(bar, GW_OWNER);
    Print(L"app=" + (owner ? GetText(owner) : std::wstring(L"")));
    swprintf(line, 256, L"appiconic=%d\nappvisible=%d", owner && IsIconic(owner) ? 1 : 0,
             owner && IsWindowVisible(owner) ? 1 : 0);
    Print(line);
    return out;
}

int Info() {
    const std::wstring info = InfoText();
    probe::PrintLine(info.substr(0, info.empty() ? 0 : info.size() - 1));
    return info == L"nobar" ? 1 : 0;
}

// True when every "KEY=VALUE" in wants is a whole line of info.
bool Holds(const std::wstring& info, const std::vector<std::wstring>& wants) {
    const std::wstring lines = L"\n" + info;
    for (const std::wstring& want : wants)
        if (lines.find(L"\n" + want + L"\n") == std::wstring::npos) return false;
    return true;
}

// A sent message is answered only when the bar's thread is back at its
// message loop (or a modal one), so whatever it was handling is over.
bool Sync(DWORD ms) {
    HWND bar = Bar();
    DWORD_PTR result = 0;
    return bar && SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
}

HWND MessageBoxWindow() {
    HWND bar = Bar();
    return bar ? probe::FindWindowOfSameProcess(bar, L"#32770", true) : nullptr;
}

BOOL CALLBACK CollectStatic(HWND h, LPARAM data) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (_wcsicmp(cls, L"Static") == 0) {
        std::wstring t = GetText(h);
        if (!t.empty()) *reinterpret_cast<std::wstring*>(data) += t;
    }
    return TRUE;
}

int Box() {
    HWND box = MessageBoxWindow();
    probe::PrintLine(L"title=" + GetText(box));
    std::wstring text;
    EnumChildWindows(box, &CollectStatic, reinterpret_cast<LPARAM>(&text));
    probe::PrintLine(L"boxtext=" + Escape(text));
    std::wstring buttons;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (HWND b = GetDlgItem(box, id)) {
            buttons += std::to_wstring(id) + L":" + GetText(b) + L" ";
        }
    }
    probe::PrintLine(L"buttons=" + buttons);
    HWND owner = GetWindow(box, GW_OWNER);
    wchar_t cls[64] = {};
    if (owner) GetClassNameW(owner, cls, 64);
    probe::PrintLine(std::wstring(L"owner=") + cls);
    HWND bar = Bar();
    probe::PrintLine(std::wstring(L"barenabled=") + (IsWindowEnabled(bar) ? L"1" : L"0"));
    return 0;
}

bool MenuOpen() {
    HWND m = FindWindowW(L"#32768", nullptr);
    return m && IsWindowVisible(m);
}

void SetClipboard(const std::wstring& text) {
    for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
}

struct TipSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTip(HWND h, LPARAM data) {
    auto* s = reinterpret_cast<TipSearch*>(data);
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && _wcsicmp(cls, L"tooltips_class32") == 0 && IsWindowVisible(h)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND ShownTip() {
    HWND bar = Bar();
    if (!bar) return nullptr;
    TipSearch s{0, nullptr};
    GetWindowThreadProcessId(bar, &s.pid);
    EnumWindows(&FindTip, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring cmd = argv[1];
    const bool timeFirst = cmd == L"wait" || cmd == L"waitfor" || cmd == L"sync" || cmd == L"gone" || cmd == L"box" ||
                           cmd == L"nobox" || cmd == L"menu" || cmd == L"tip";
    const DWORD ms = argc >= 3 && timeFirst ? static_cast<DWORD>(_wtoi(argv[2]))
                                            : (argc >= 4 ? static_cast<DWORD>(_wtoi(argv[3])) : 10000);
    if (cmd == L"info") return Info();
    if (cmd == L"wait") {
        if (!WaitFor(ms ? ms : 20000, [] {
                HWND b = Bar();
                return b && IsWindowVisible(b);
            }))
            return Info(), 1;
        if (!Sync(ms ? ms : 20000)) return Info(), 1;
        return Info();
    }
    if (cmd == L"waitfor" && argc >= 4) {
        const std::vector<std::wstring> wants(argv + 3, argv + argc);
        const DWORD start = GetTickCount();
        for (;;) {
            if (Sync(ms) && Holds(InfoText(), wants)) return Info();
            if (GetTickCount() - start > ms) return Info(), 1;
            Sleep(50);
        }
    }
    if (cmd == L"sync") return Sync(ms ? ms : 10000) ? 0 : 1;
    if (cmd == L"gone") return WaitFor(ms ? ms : 10000, [] { return Bar() == nullptr; }) ? 0 : 1;
    if (cmd == L"count") {
        int n = 0;
        for (HWND h = FindWindowExW(nullptr, nullptr, L"TF_Search", nullptr); h;
             h = FindWindowExW(nullptr, h, L"TF_Search", nullptr))
            ++n;
        probe::PrintLine(std::to_wstring(n));
        return 0;
    }
    if (cmd == L"box") {
        // Found while it is still being made, a box may not have its text yet.
        if (!WaitFor(ms ? ms : 10000, [] {
                HWND box = MessageBoxWindow();
                std::wstring text;
                if (box) EnumChildWindows(box, &CollectStatic, reinterpret_cast<LPARAM>(&text));
                return box && IsWindowVisible(box) && !text.empty();
            }))
            return 1;
        return Box();
    }
    if (cmd == L"nobox") return WaitFor(ms ? ms : 1500, [] { return MessageBoxWindow() != nullptr; }) ? 1 : 0;
    if (cmd == L"answer" && argc >= 3) {
        if (!WaitFor(ms, [] { return MessageBoxWindow() != nullptr; })) return 1;
        HWND box = MessageBoxWindow();
        const int id = _wtoi(argv[2]);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
        return 0;
    }
    if (cmd == L"menu") {
        if (!WaitFor(ms ? ms : 5000, MenuOpen)) return 1;
        RECT r{};
        GetWindowRect(FindWindowW(L"#32768", nullptr), &r);
        wchar_t line[96];
        swprintf(line, 96, L"menu=%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
        probe::PrintLine(line);
        return 0;
    }
    if (cmd == L"clip" && argc >= 3) {
        SetClipboard(argv[2]);
        return 0;
    }
    if (cmd == L"settext" && argc >= 3) {
        HWND combo = Combo(Bar());
        if (!combo) return 1;
        SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2]));
        return 0;
    }
    if (cmd == L"tip") {
        if (!WaitFor(ms ? ms : 5000, [] { return ShownTip() != nullptr; })) return 1;
        probe::PrintLine(L"tip=" + GetText(ShownTip()));
        return 0;
    }
    if (cmd == L"closeapp") {
        HWND bar = Bar();
        HWND app = bar ? GetWindow(bar, GW_OWNER) : nullptr;
        if (!app) return 1;
        PostMessageW(app, WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == L"focus") {
        HWND bar = Bar();
        if (!bar) return 1;
        SetForegroundWindow(bar);
        return 0;
    }
    return 2;
}
