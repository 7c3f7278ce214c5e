// Start-up, memory and idle probe for one Windows program.
//
//   probe run <exe> [--settle MS] [--idle MS] [--hold FILE]
//       start <exe>, time it until a top-level window of that process with
//       a non-empty area is visible, let it settle, read its memory counters (and, with --idle,
//       the CPU time it spends in the next MS milliseconds), print them, and
//       close it -- with --hold only once FILE exists (at most 10 s later),
//       so that the caller can inspect the running process first.
//   probe launch <exe>
//       start <exe> and wait until it is visible; leave it running.
//   probe close <pid>
//       WM_CLOSE to the visible windows of <pid>; terminate it after 3 s.
//   probe hotkey <exe> [--args TEXT] [--rounds N] [--focus-class NAME]
//       start <exe> (with TEXT as its command line's arguments), and once its
//       window is up, time N rounds (after one not counted) of the Win+S
//       chord sent with SendInput: to the window hidden, then to it visible
//       again and to it the foreground window with the keyboard focus in it
//       (in a child of class NAME when given); one line per round; close it.
//   probe shell <url>
//       print the Unix time in microseconds, then ShellExecute "open" <url>
//       (the cost of the shell and the URL handler, without any program).
//
// Output is one line of key=value pairs on stdout; the exit code is non-zero
// on failure, with the reason on stderr.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    // A visible window of no size (a program's hidden-owner application
    // window, say) is not what the user sees: wait for one with an area.
    RECT r{};
    if (pid == s->pid && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.right > r.left &&
        r.bottom > r.top) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindowOf(DWORD pid) {
    Search s{pid, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

BOOL CALLBACK PostClose(HWND hwnd, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == static_cast<DWORD>(lp) && IsWindowVisible(hwnd)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

unsigned long long FileTimeTicks(const FILETIME& ft) {
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return u.QuadPart;
}

unsigned long long UnixMicros() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return FileTimeTicks(now) / 10 - 11644473600ULL * 1000000ULL;
}

// CPU time (user + kernel) of a process in 100 ns ticks, or -1.
long long CpuTicks(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    return static_cast<long long>(FileTimeTicks(kernel) + FileTimeTicks(user));
}

int Fail(const char* what) {
    std::fprintf(stderr, "probe: %s (error %lu)\n", what, GetLastError());
    return 1;
}

struct Started {
    PROCESS_INFORMATION pi{};
    HWND window = nullptr;
    double startup_ms = 0;
};

// Starts exe in its own folder and waits up to 30 s for its first visible window.
bool StartVisible(const std::wstring& exe, Started& out, const std::wstring& args = {}) {
    std::wstring dir = exe;
    size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? L"." : dir.substr(0, slash);
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &out.pi)) {
        Fail("CreateProcess failed");
        return false;
    }
    for (;;) {
        if (HWND w = VisibleWindowOf(out.pi.dwProcessId)) {
            QueryPerformanceCounter(&t1);
            out.window = w;
            out.startup_ms = Millis(t0, t1);
            return true;
        }
        if (WaitForSingleObject(out.pi.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "probe: the program ended before showing a window\n");
            return false;
        }
        QueryPerformanceCounter(&t1);
        if (Millis(t0, t1) > 30000) {
            std::fprintf(stderr, "probe: no visible window after 30 s\n");
            TerminateProcess(out.pi.hProcess, 1);
            return false;
        }
    }
}

// Returns "graceful" when WM_CLOSE ended the process, "terminated" otherwise.
const char* Close(HANDLE process, DWORD pid) {
    EnumWindows(PostClose, static_cast<LPARAM>(pid));
    if (WaitForSingleObject(process, 3000) == WAIT_OBJECT_0) return "graceful";
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 3000);
    return "terminated";
}

int Run(const std::wstring& exe, DWORD settle_ms, DWORD idle_ms, const std::wstring& hold) {
    Started s;
    if (!StartVisible(exe, s)) return 1;
    long long startup_ticks = CpuTicks(s.pi.hProcess);
    Sleep(settle_ms);
    PROCESS_MEMORY_COUNTERS_EX mem{};
    mem.cb = sizeof mem;
    bool have_mem = GetProcessMemoryInfo(s.pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem),
                                         sizeof mem) != 0;
    long long idle_ticks = -1;
    if (idle_ms) {
        long long before = CpuTicks(s.pi.hProcess);
        Sleep(idle_ms);
        long long after = CpuTicks(s.pi.hProcess);
        if (before >= 0 && after >= 0) idle_ticks = after - before;
    }
    std::printf("pid=%lu startup_ms=%.3f startup_cpu_ms=%.3f", s.pi.dwProcessId, s.startup_ms,
                startup_ticks < 0 ? -1.0 : startup_ticks / 10000.0);
    if (have_mem)
        std::printf(" peak_ws_kb=%llu ws_kb=%llu private_kb=%llu",
                    static_cast<unsigned long long>(mem.PeakWorkingSetSize / 1024),
                    static_cast<unsigned long long>(mem.WorkingSetSize / 1024),
                    static_cast<unsigned long long>(mem.PrivateUsage / 1024));
    if (idle_ms) std::printf(" idle_ms=%lu idle_cpu_ms=%.3f", idle_ms, idle_ticks < 0 ? -1.0 : idle_ticks / 10000.0);
    std::printf("\n");
    std::fflush(stdout);
    if (!hold.empty())
        for (int i = 0; i < 1000 && GetFileAttributesW(hold.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
    std::printf("close=%s\n", Close(s.pi.hProcess, s.pi.dwProcessId));
    CloseHandle(s.pi.hThread);
    CloseHandle(s.pi.hProcess);
    return have_mem ? 0 : Fail("GetProcessMemoryInfo failed");
}

int Launch(const std::wstring& exe) {
    Started s;
    if (!StartVisible(exe, s)) return 1;
    RECT r{};
    GetWindowRect(s.window, &r);
    std::printf("pid=%lu left=%ld top=%ld right=%ld bottom=%ld startup_ms=%.3f\n", s.pi.dwProcessId, r.left,
                r.top, r.right, r.bottom, s.startup_ms);
    CloseHandle(s.pi.hThread);
    CloseHandle(s.pi.hProcess);
    return 0;
}

int CloseProcess(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return Fail("OpenProcess failed");
    std::printf("close=%s\n", Close(process, pid));
    CloseHandle(process);
    return 0;
}

// The chord as a user types it: Win down, S down, S up, Win up, in one call.
bool SendHotKeyChord() {
    INPUT in[4]{};
    const WORD keys[4] = {VK_LWIN, 'S', 'S', VK_LWIN};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC));
        in[i].ki.dwFlags = (keys[i] == VK_LWIN ? KEYEVENTF_EXTENDEDKEY : 0) | (i >= 2 ? KEYEVENTF_KEYUP : 0);
    }
    return SendInput(4, in, sizeof(INPUT)) == 4;
}

// The window is the foreground one and its thread's focus is on it or on a
// child of it (of class focusClass when that is not empty).
bool ForegroundWithFocus(HWND window, const std::wstring& focusClass) {
    if (GetForegroundWindow() != window) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return false;
    if (info.hwndFocus != window && !IsChild(window, info.hwndFocus)) return false;
    if (focusClass.empty()) return true;
    wchar_t name[64] = {};
    GetClassNameW(info.hwndFocus, name, 64);
    return _wcsicmp(name, focusClass.c_str()) == 0;
}

struct HotKeyRound {
    double hide_ms = -1, show_ms = -1, focus_ms = -1;
};

// Polls (no sleeping: the figures are a few milliseconds) until done()
// holds; the time since t0, or -1 after timeout_ms.
template <typename Done>
double PollUntil(LARGE_INTEGER t0, double timeout_ms, Done done) {
    LARGE_INTEGER now;
    for (;;) {
        const bool met = done();
        QueryPerformanceCounter(&now);
        const double elapsed = Millis(t0, now);
        if (met) return elapsed;
        if (elapsed > timeout_ms) return -1;
        SwitchToThread();  // the measured programs may share this core
    }
}

bool HotKeyCycle(HWND window, const std::wstring& focusClass, HotKeyRound& r) {
    constexpr double TimeoutMs = 3000;
    constexpr DWORD QuietMs = 250;  // lets the program finish what follows each change
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    if (!SendHotKeyChord()) {
        Fail("SendInput failed");
        return false;
    }
    r.hide_ms = PollUntil(t0, TimeoutMs, [&] { return !IsWindowVisible(window); });
    if (r.hide_ms < 0) {
        std::fprintf(stderr, "probe: the window did not hide on the hot key\n");
        return false;
    }
    Sleep(QuietMs);
    QueryPerformanceCounter(&t0);
    if (!SendHotKeyChord()) {
        Fail("SendInput failed");
        return false;
    }
    r.show_ms = PollUntil(t0, TimeoutMs, [&] { return IsWindowVisible(window) != FALSE; });
    if (r.show_ms >= 0) r.focus_ms = PollUntil(t0, TimeoutMs, [&] { return ForegroundWithFocus(window, focusClass); });
    if (r.show_ms < 0 || r.focus_ms < 0) {
        std::fprintf(stderr, "probe: the window did not come back %s on the hot key\n",
                     r.show_ms < 0 ? "visible" : "foreground with the focus");
        return false;
    }
    Sleep(QuietMs);
    return true;
}

int HotKeyRounds(const std::wstring& exe, const std::wstring& args, int rounds, const std::wstring& focusClass) {
    Started s;
    if (!StartVisible(exe, s, args)) return 1;
    Sleep(300);
    bool ok = true;
    HotKeyRound r;
    // One round not counted: the first hide and show do one-time work.
    ok = HotKeyCycle(s.window, focusClass, r);
    for (int i = 0; ok && i < rounds; ++i) {
        ok = HotKeyCycle(s.window, focusClass, r);
        if (ok) std::printf("hide_ms=%.3f show_ms=%.3f focus_ms=%.3f\n", r.hide_ms, r.show_ms, r.focus_ms);
        std::fflush(stdout);
    }
    std::printf("close=%s\n", Close(s.pi.hProcess, s.pi.dwProcessId));
    CloseHandle(s.pi.hThread);
    CloseHandle(s.pi.hProcess);
    return ok ? 0 : 1;
}

int Shell(const std::wstring& url) {
    std::printf("sent_us=%llu\n", UnixMicros());
    std::fflush(stdout);
    auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return r > 32 ? 0 : Fail("ShellExecute failed");
}

DWORD Number(const wchar_t* text) { return static_cast<DWORD>(std::wcstoul(text, nullptr, 10)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe run|launch <exe> [--settle MS] [--idle MS] [--hold FILE] | hotkey <exe> [--args TEXT] "
                             "[--rounds N] [--focus-class NAME] | close <pid> | shell <url>\n");
        return 2;
    }
    std::wstring mode = argv[1];
    if (mode == L"run") {
        DWORD settle = 300, idle = 0;
        std::wstring hold;
        for (int i = 3; i + 1 < argc; i += 2) {
            std::wstring opt = argv[i];
            if (opt == L"--settle") settle = Number(argv[i + 1]);
            else if (opt == L"--idle") idle = Number(argv[i + 1]);
            else if (opt == L"--hold") hold = argv[i + 1];
        }
        return Run(argv[2], settle, idle, hold);
    }
    if (mode == L"hotkey") {
        std::wstring args, focusClass;
        int rounds = 1;
        for (int i = 3; i + 1 < argc; i += 2) {
            std::wstring opt = argv[i];
            if (opt == L"--args") args = argv[i + 1];
            else if (opt == L"--rounds") rounds = static_cast<int>(Number(argv[i + 1]));
            else if (opt == L"--focus-class") focusClass = argv[i + 1];
        }
        return HotKeyRounds(argv[2], args, rounds, focusClass);
    }
    if (mode == L"launch") return Launch(argv[2]);
    if (mode == L"close") return CloseProcess(Number(argv[2]));
    if (mode == L"shell") return Shell(argv[2]);
    std::fprintf(stderr, "probe: unknown mode\n");
    return 2;
}
