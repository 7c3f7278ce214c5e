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
bool StartVisible(const std::wstring& exe, Started& out) {
    std::wstring dir = exe;
    size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? L"." : dir.substr(0, slash);
    std::wstring cmd = L"\"" + exe + L"\"";
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
        std::fprintf(stderr, "usage: probe run|launch <exe> [--settle MS] [--idle MS] [--hold FILE] | close <pid> | shell <url>\n");
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
    if (mode == L"launch") return Launch(argv[2]);
    if (mode == L"close") return CloseProcess(Number(argv[2]));
    if (mode == L"shell") return Shell(argv[2]);
    std::fprintf(stderr, "probe: unknown mode\n");
    return 2;
}
