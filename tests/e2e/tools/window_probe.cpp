// Looks at, and talks to, a running search bar from outside, as a second
// program would:
//   window_probe state                one line: bar, application window, tray icon, alpha, rect
//   window_probe send MESSAGE         SendMessage 0x8001 (arrange) / 0x8002 (restore) / any number
//   window_probe wait KEY=VALUE [ms]  waits until the state line holds KEY=VALUE (exit 1 on timeout)
// The tray icon is probed with NIM_MODIFY and no flags: the shell accepts it
// only for an icon it holds, and changes nothing.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND FindBar() { return FindWindowW(L"TF_Search", nullptr); }

struct TrayFind {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTrayWindow(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<TrayFind*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->pid && wcscmp(cls, L"QuorvexTrayIconWindow") == 0) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

bool TrayIconShown(HWND bar) {
    TrayFind f{0, nullptr};
    GetWindowThreadProcessId(bar, &f.pid);
    EnumWindows(FindTrayWindow, reinterpret_cast<LPARAM>(&f));
    if (!f.found) return false;
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = f.found;
    d.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(f.found));
    return Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
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
    swprintf(line, 512, L"bar=%ls app=%ls tray=%ls alpha=%ls x=%ld y=%ld w=%ld h=%ld fg=%ls",
             IsWindowVisible(bar) ? L"visible" : L"hidden",
             !app ? L"none" : !IsWindowVisible(app) ? L"hidden" : IsIconic(app) ? L"iconic" : L"normal",
             TrayIconShown(bar) ? L"yes" : L"no", alphaText.c_str(), r.left, r.top,
             r.right - r.left, r.bottom - r.top,
             GetForegroundWindow() == bar || GetForegroundWindow() == app ? L"bar" : L"other");
    return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: window_probe state | send MESSAGE | wait KEY=VALUE [ms]\n");
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
        UINT msg = m == L"arrange" ? WM_APP + 1 : m == L"restore" ? WM_APP + 2
                                                                  : static_cast<UINT>(wcstoul(m.c_str(), nullptr, 0));
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(bar, msg, 0, 0, SMTO_NORMAL, 10000, &result)) return 1;
        wprintf(L"%lu\n", static_cast<unsigned long>(result));
        return 0;
    }
    if (cmd == L"wait" && argc >= 3) {
        const std::wstring want = std::wstring(L" ") + argv[2] + L" ";
        const DWORD timeout = argc >= 4 ? wcstoul(argv[3], nullptr, 10) : 10000;
        const DWORD start = GetTickCount();
        std::wstring s;
        do {
            s = L" " + State() + L" ";
            if (s.find(want) != std::wstring::npos) {
                wprintf(L"%ls\n", State().c_str());
                return 0;
            }
            Sleep(50);
        } while (GetTickCount() - start < timeout);
        fwprintf(stderr, L"timed out waiting for %ls; state:%ls\n", argv[2], s.c_str());
        return 1;
    }
    return 2;
}
