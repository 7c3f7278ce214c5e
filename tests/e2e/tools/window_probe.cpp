// Looks at, and talks to, a running search bar from outside, as a second
// program would:
//   window_probe state                one line: bar, application window, tray icon, alpha, rect, foreground,
//                                     whether a `hold` window is shown, whether the bar takes input
//   window_probe send MESSAGE [WPARAM] SendMessage 0x8001 (arrange) / 0x8002 (restore) / any number; prints the result
//   window_probe wait MS KEY=VALUE... waits until the state line holds every KEY=VALUE (exit 1 on timeout)
//   window_probe trayclick left|right posts the shell's callback messages for a click on the icon
//   window_probe traykey select|menu  posts the version-4 callbacks of Enter and of the context-menu key on the icon
//   window_probe key escape|f5        presses and releases the key through SendInput (reaches a menu that
//                                     xdotool's keys do not while the bar is hidden)
//   window_probe menu MS              waits for an open popup menu (class #32768); exit 1 on time-out
//   window_probe nomenu MS            waits until no popup menu shows; exit 1 on time-out
//   window_probe shellrestart         as a restarted shell: the icon is gone, "TaskbarCreated" is broadcast
//   window_probe hold MS              shows a window of another program at 600,300 (200x100), active, for MS ms
//   window_probe resize WIDTH         sets the bar's width from outside (the layout undoes it)
//   window_probe dialog               the rect "x y w h" of a dialog of the bar's program (exit 1: none open)
//   window_probe trayicons            the notification area's icon windows: "class x y w h" lines
//   window_probe monitors             the system's monitors: "left,top,right,bottom[ primary]" lines
//   window_probe list                 the suggestion list as one line (below), as UTF-8
//   window_probe rows MS ROWS         waits until the list line's rows= field is ROWS (| between rows;
//                                     "" for no list shown); prints the line (exit 1 on timeout)
//   window_probe watch MS             the list line each time it changes for MS ms, with t= its ms
//   window_probe type TEXT GAP [enter MS | rows MS ROWS]
//                                     types TEXT through SendInput (Unicode key events, GAP ms apart);
//                                     then Enter MS ms after the last key, or waits up to MS ms for
//                                     the list to show ROWS and prints its line with ms= since the last key
//   window_probe sendwithin MS        SendMessageTimeout of WM_NULL with MS ms; prints ms= the answer took
// The list line: "list=none|hidden|shown rows=A|B sel=N at=LEFT,TOP,WIDTH,ROWHEIGHT" (the
// list box's screen position, for a click on a row).
// The tray icon is probed with NIM_MODIFY and no flags: the shell accepts it
// only for an icon it holds, and changes nothing.
#include <windows.h>

#include "process_window.h"
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "print_line.h"

namespace {

HWND FindBar() { return FindWindowW(L"TF_Search", nullptr); }

// The tray icon's hidden callback window in the bar's process.
HWND TrayWindow(HWND bar) { return probe::FindWindowOfSameProcess(bar, L"QuorvexTrayIconWindow", false); }

bool TrayIconShown(HWND bar) {
    HWND tray = TrayWindow(bar);
    if (!tray) return false;
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = tray;
    d.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(tray));
    return Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        wprintf(L"%ld,%ld,%ld,%ld%ls\n", info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                info.rcMonitor.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) ? L" primary" : L"");
    return TRUE;
}

std::wstring State() {
    HWND bar = FindBar();
    if (!bar) return L"bar=none";
    HWND app = GetWindow(bar, GW_OWNER);
    BYTE alpha = 0;
    DWORD flags = 0;
    std::wstring alphaText = L"?";
    if (GetLayeredWindowAttributes(bar, nullptr, &alpha, &flags) && (flags & LWA_ALPHA))
        alphaText = std::to_wstring(alpha);
    RECT r{};
    GetWindowRect(bar, &r);
    wchar_t line[512];
    HWND held = FindWindowW(L"Static", L"probe-hold");
    swprintf(line, 512, L"bar=%ls app=%ls tray=%ls alpha=%ls x=%ld y=%ld w=%ld h=%ld fg=%ls held=%ls enabled=%ls",
             IsWindowVisible(bar) ? L"visible" : L"hidden",
             !app                    ? L"none"
             : !IsWindowVisible(app) ? L"hidden"
             : IsIconic(app)         ? L"iconic"
                                     : L"normal",
             TrayIconShown(bar) ? L"yes" : L"no", alphaText.c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
             GetForegroundWindow() == bar || GetForegroundWindow() == app ? L"bar" : L"other",
             held && IsWindowVisible(held) ? L"yes" : L"no", IsWindowEnabled(bar) ? L"yes" : L"no");
    return line;
}

// The suggestion list: a popup of the bar's process holding a list box.
std::wstring ListLine() {
    HWND bar = FindBar();
    HWND popup = bar ? probe::FindWindowOfSameProcess(bar, L"QuorvexSuggestList", false) : nullptr;
    HWND box = popup ? FindWindowExW(popup, nullptr, L"ListBox", nullptr) : nullptr;
    if (!box) return L"list=none rows=";
    if (!IsWindowVisible(popup)) return L"list=hidden rows=";
    std::wstring rows;
    const LRESULT n = SendMessageW(box, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT len = SendMessageW(box, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring row(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
        const LRESULT got = SendMessageW(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row.data()));
        row.resize(static_cast<std::size_t>(got > 0 ? got : 0));
        if (i) rows += L"|";
        rows += row;
    }
    RECT r{};
    GetWindowRect(box, &r);
    const LRESULT height = SendMessageW(box, LB_GETITEMHEIGHT, 0, 0);
    return L"list=shown rows=" + rows + L" sel=" + std::to_wstring(SendMessageW(box, LB_GETCURSEL, 0, 0)) + L" at=" +
           std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right - r.left) + L"," +
           std::to_wstring(height);
}

// The rows= field of a list line (up to the next field).
std::wstring RowsOf(const std::wstring& line) {
    const std::size_t from = line.find(L" rows=") + 6;
    const std::size_t to = line.find(L" sel=", from);
    return line.substr(from, to == std::wstring::npos ? std::wstring::npos : to - from);
}

bool SendKey(WORD vk, wchar_t unit, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = unit;
    in.ki.dwFlags = (unit ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return SendInput(1, &in, sizeof in) == 1;
}

// Each UTF-16 unit as a key press and release, as an input method or a
// remote keyboard delivers characters: WM_CHAR in the focused control.
bool TypeText(const std::wstring& text, DWORD gap) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i) Sleep(gap);
        if (!SendKey(0, text[i], false) || !SendKey(0, text[i], true)) return false;
    }
    return true;
}

// Polls the list until its rows are `want`; prints the line with the time
// taken since `since` (GetTickCount).
int WaitRows(DWORD timeout, const std::wstring& want, DWORD since, bool withTime) {
    const DWORD start = GetTickCount();
    std::wstring line;
    for (;;) {
        line = ListLine();
        const std::wstring rows = RowsOf(line);
        if (rows == want && (want.empty() || line.rfind(L"list=shown", 0) == 0)) break;
        if (GetTickCount() - start >= timeout) {
            probe::PrintLine(line);
            return 1;
        }
        Sleep(5);
    }
    probe::PrintLine(withTime ? line + L" ms=" + std::to_wstring(GetTickCount() - since) : line);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr,
                 L"usage: window_probe state | send MESSAGE | wait MS KEY=VALUE... | resize W | trayicons | trayclick "
                 L"left|right | shellrestart | hold MS | dialog | monitors\n");
        return 2;
    }
    const std::wstring cmd = argv[1];
    if (cmd == L"state") {
        wprintf(L"%ls\n", State().c_str());
        return 0;
    }
    if (cmd == L"send" && argc >= 3) {
        HWND bar = FindBar();
        if (!bar) return 1;
        std::wstring m = argv[2];
        UINT msg = m == L"arrange"   ? WM_APP + 1
                   : m == L"restore" ? WM_APP + 2
                                     : static_cast<UINT>(wcstoul(m.c_str(), nullptr, 0));
        DWORD_PTR result = 0;
        const WPARAM wParam = argc >= 4 ? static_cast<WPARAM>(wcstoul(argv[3], nullptr, 0)) : 0;
        if (!SendMessageTimeoutW(bar, msg, wParam, 0, SMTO_NORMAL, 10000, &result)) return 1;
        wprintf(L"%lu\n", static_cast<unsigned long>(result));
        return 0;
    }
    if (cmd == L"resize" && argc >= 3) {
        HWND bar = FindBar();
        if (!bar) return 1;
        RECT r{};
        GetWindowRect(bar, &r);
        return SetWindowPos(bar, nullptr, 0, 0, _wtoi(argv[2]), r.bottom - r.top,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (cmd == L"list") {
        probe::PrintLine(ListLine());
        return 0;
    }
    if (cmd == L"rows" && argc >= 4) return WaitRows(wcstoul(argv[2], nullptr, 10), argv[3], GetTickCount(), false);
    if (cmd == L"watch" && argc >= 3) {
        const DWORD timeout = wcstoul(argv[2], nullptr, 10);
        const DWORD start = GetTickCount();
        std::wstring last;
        while (GetTickCount() - start < timeout) {
            const std::wstring line = ListLine();
            if (line != last) probe::PrintLine(L"t=" + std::to_wstring(GetTickCount() - start) + L" " + line);
            last = line;
            Sleep(5);
        }
        return 0;
    }
    if (cmd == L"type" && argc >= 4) {
        if (!TypeText(argv[2], wcstoul(argv[3], nullptr, 10))) return 1;
        const DWORD lastKey = GetTickCount();
        const std::wstring then = argc >= 6 ? argv[4] : L"";
        if (then == L"enter") {
            Sleep(wcstoul(argv[5], nullptr, 10));
            return SendKey(VK_RETURN, 0, false) && SendKey(VK_RETURN, 0, true) ? 0 : 1;
        }
        if (then == L"rows" && argc >= 7) return WaitRows(wcstoul(argv[5], nullptr, 10), argv[6], lastKey, true);
        return 0;
    }
    if (cmd == L"sendwithin" && argc >= 3) {
        HWND bar = FindBar();
        if (!bar) return 1;
        DWORD_PTR result = 0;
        const DWORD start = GetTickCount();
        const bool answered =
            SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, wcstoul(argv[2], nullptr, 10), &result) != 0;
        wprintf(L"ms=%lu\n", static_cast<unsigned long>(GetTickCount() - start));
        return answered ? 0 : 1;
    }
    if (cmd == L"monitors") return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : 1;
    if (cmd == L"trayicons") {
        HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
        if (!tray) return 1;
        RECT tr{};
        GetWindowRect(tray, &tr);
        wprintf(L"Shell_TrayWnd %ld %ld %ld %ld %d\n", tr.left, tr.top, tr.right - tr.left, tr.bottom - tr.top,
                IsWindowVisible(tray) ? 1 : 0);
        for (HWND h = GetWindow(tray, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            wchar_t cls[128] = {};
            GetClassNameW(h, cls, 128);
            RECT r{};
            GetWindowRect(h, &r);
            wprintf(L"%ls %ld %ld %ld %ld %d\n", cls, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    IsWindowVisible(h) ? 1 : 0);
        }
        return 0;
    }
    if (cmd == L"hold" && argc >= 3) {
        HWND w = CreateWindowExW(0, L"STATIC", L"probe-hold", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 300, 200, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!w) return 1;
        SetForegroundWindow(w);
        probe::PumpMessagesFor(wcstoul(argv[2], nullptr, 10));
        DestroyWindow(w);
        return 0;
    }
    if (cmd == L"dialog") {
        HWND bar = FindBar();
        if (!bar) return 1;
        struct Find {
            DWORD pid;
            HWND bar, app, found;
        } f{0, bar, GetWindow(bar, GW_OWNER), nullptr};
        GetWindowThreadProcessId(bar, &f.pid);
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
                auto* f = reinterpret_cast<Find*>(lp);
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid != f->pid || h == f->bar || h == f->app || !IsWindowVisible(h)) return TRUE;
                wchar_t cls[64] = {};
                GetClassNameW(h, cls, 64);
                if (wcscmp(cls, L"tooltips_class32") == 0) return TRUE;
                f->found = h;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&f));
        if (!f.found) return 1;
        RECT r{};
        GetWindowRect(f.found, &r);
        wprintf(L"%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == L"shellrestart") {
        HWND bar = FindBar();
        if (!bar) return 1;
        HWND tray = TrayWindow(bar);
        if (!tray) return 1;
        NOTIFYICONDATAW d{};
        d.cbSize = sizeof(d);
        d.hWnd = tray;
        d.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(tray));
        if (!Shell_NotifyIconW(NIM_DELETE, &d)) return 1;  // there was no icon to lose
        DWORD_PTR r = 0;
        SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                            &r);
        return 0;
    }
    if (cmd == L"traykey" && argc >= 3) {
        HWND bar = FindBar();
        HWND tray = bar ? TrayWindow(bar) : nullptr;
        if (!tray) return 1;
        const WORD id = LOWORD(reinterpret_cast<UINT_PTR>(tray));
        const UINT event = std::wstring(argv[2]) == L"menu" ? WM_CONTEXTMENU : NIN_KEYSELECT;
        // The icon's point, as the shell gives it: the screen's lower right.
        const WPARAM at = MAKEWPARAM(GetSystemMetrics(SM_CXSCREEN) - 40, GetSystemMetrics(SM_CYSCREEN) - 20);
        return PostMessageW(tray, WM_USER + 1, at, MAKELPARAM(event, id)) ? 0 : 1;
    }
    if (cmd == L"key" && argc >= 3) {
        const WORD vk = std::wstring(argv[2]) == L"f5" ? VK_F5 : VK_ESCAPE;
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        return SendInput(2, in, sizeof(INPUT)) == 2 ? 0 : 1;
    }
    if ((cmd == L"menu" || cmd == L"nomenu") && argc >= 3) {
        const DWORD timeout = wcstoul(argv[2], nullptr, 10);
        const bool want = cmd == L"menu";
        const DWORD start = GetTickCount();
        for (;;) {
            HWND m = FindWindowW(L"#32768", nullptr);
            if ((m && IsWindowVisible(m)) == want) return 0;
            if (GetTickCount() - start > timeout) return 1;
            Sleep(50);
        }
    }
    if (cmd == L"trayclick" && argc >= 3) {
        HWND bar = FindBar();
        if (!bar) return 1;
        HWND tray = TrayWindow(bar);
        if (!tray) return 1;
        const WPARAM id = reinterpret_cast<WPARAM>(tray);
        const bool left = std::wstring(argv[2]) == L"left";
        // What the shell posts for a click: press, release (and for the
        // right button the release opens the menu).
        PostMessageW(tray, WM_USER + 1, id, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
        PostMessageW(tray, WM_USER + 1, id, left ? WM_LBUTTONUP : WM_RBUTTONUP);
        return 0;
    }
    if (cmd == L"wait" && argc >= 4) {
        const DWORD timeout = wcstoul(argv[2], nullptr, 10);
        const DWORD start = GetTickCount();
        std::wstring s;
        for (;;) {
            s = L" " + State() + L" ";
            bool all = true;
            for (int i = 3; i < argc; ++i)
                if (s.find(std::wstring(L" ") + argv[i] + L" ") == std::wstring::npos) all = false;
            if (all) {
                wprintf(L"%ls\n", State().c_str());
                return 0;
            }
            if (GetTickCount() - start >= timeout) break;
            Sleep(50);
        }
        fwprintf(stderr, L"timed out; state:%ls\n", s.c_str());
        wprintf(L"%ls\n", s.c_str());
        return 1;
    }
    return 2;
}
