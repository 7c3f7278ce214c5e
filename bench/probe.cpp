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
//   probe suggest <exe> [--rounds N]
//       with the bar's suggestions switched on and pointed at a service this
//       probe serves itself (127.0.0.1, answering at once), start <exe>, and
//       for N rounds (after one not counted) type one letter into the empty
//       query box with SendInput: the time from the key to the request
//       reaching the service (the 150 ms pause included) and to the list
//       showing the service's rows, one line per round. Then, with the list
//       left open, the CPU time the bar spends in the next 10 s. The settings
//       it wrote are removed again when it closes the bar.
//   probe shell <url>
//       print the Unix time in microseconds, then ShellExecute "open" <url>
//       (the cost of the shell and the URL handler, without any program).
//
// Output is one line of key=value pairs on stdout; the exit code is non-zero
// on failure, with the reason on stderr.
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
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
    if (pid == s->pid && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.right > r.left && r.bottom > r.top) {
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
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &out.pi)) {
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
    bool have_mem =
        GetProcessMemoryInfo(s.pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem) != 0;
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
    std::printf("pid=%lu left=%ld top=%ld right=%ld bottom=%ld startup_ms=%.3f\n", s.pi.dwProcessId, r.left, r.top,
                r.right, r.bottom, s.startup_ms);
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

// --- Suggestions: a service in this process, so that its clock is the probe's.

// Answers every request at once in the OpenSearch format, echoing the text
// (the `wd` parameter; the probe types plain letters, which need no JSON
// escapes) with three suggestions; records when each request arrived.
class LocalService {
public:
    bool Start() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (listener_ == INVALID_SOCKET) return false;
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof at;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(listener_, 8) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size) != 0)
            return false;
        port_ = ntohs(at.sin_port);
        thread_ = CreateThread(
            nullptr, 0, [](void* self) -> DWORD { return static_cast<LocalService*>(self)->Serve(), 0; }, this, 0,
            nullptr);
        return thread_ != nullptr;
    }
    ~LocalService() {
        if (listener_ != INVALID_SOCKET) closesocket(listener_);  // ends accept()
        if (thread_) {
            WaitForSingleObject(thread_, 5000);
            CloseHandle(thread_);
        }
        WSACleanup();
    }
    int Port() const { return port_; }
    // The arrival (QueryPerformanceCounter) of the last request, and how many came.
    long long LastArrival() const { return arrival_.load(); }
    int Requests() const { return requests_.load(); }

private:
    // A query parameter of the request line, its %XX escapes decoded (the
    // bar escapes every byte of the text).
    static std::string Parameter(const std::string& request, const char* name) {
        std::string text;
        std::size_t i = request.find(name);
        if (i == std::string::npos) return text;
        for (i += std::strlen(name); i < request.size() && request[i] != '&' && request[i] != ' '; ++i) {
            if (request[i] == '%' && i + 2 < request.size()) {
                text += static_cast<char>(std::stoi(request.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                text += request[i] == '+' ? ' ' : request[i];
            }
        }
        return text;
    }

    void Serve() {
        for (;;) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::string request;
            char buffer[2048];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int got = recv(client, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            arrival_ = now.QuadPart;
            ++requests_;
            const std::string text = Parameter(request, "wd=");
            const std::string body = "[\"" + text + "\",[\"" + text + "1\",\"" + text + "2\",\"" + text + "3\"]]";
            const std::string reply =
                "HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=utf-8\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            send(client, reply.data(), static_cast<int>(reply.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    HANDLE thread_ = nullptr;
    std::atomic<long long> arrival_{0};
    std::atomic<int> requests_{0};
};

constexpr const wchar_t* BarSettingsKey = L"Software\\Ostravane\\Quorvex\\1.0";

bool WriteSuggestSettings(int port) {
    const DWORD on = 1;
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(port) + L"/complete?wd=";
    return RegSetKeyValueW(HKEY_CURRENT_USER, BarSettingsKey, L"Suggest", REG_DWORD, &on, sizeof on) == ERROR_SUCCESS &&
           RegSetKeyValueW(HKEY_CURRENT_USER, BarSettingsKey, L"SuggestUrl", REG_SZ, url.c_str(),
                           static_cast<DWORD>((url.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void RemoveSuggestSettings() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, BarSettingsKey, L"Suggest");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, BarSettingsKey, L"SuggestUrl");
}

// The bar's suggestion list, when it is shown with at least one row.
bool SuggestListShown(DWORD pid) {
    struct Find {
        DWORD pid;
        HWND found;
    } f{pid, nullptr};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            if (owner != f->pid || std::wcscmp(cls, L"QuorvexSuggestList") != 0) return TRUE;
            f->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    if (!f.found || !IsWindowVisible(f.found)) return false;
    HWND box = FindWindowExW(f.found, nullptr, L"ListBox", nullptr);
    return box && SendMessageW(box, LB_GETCOUNT, 0, 0) > 0;
}

bool SendUnicodeKey(wchar_t unit) {
    INPUT in[2]{};
    for (int i = 0; i < 2; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wScan = unit;
        in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    return SendInput(2, in, sizeof(INPUT)) == 2;
}

// A click into the query box (8, 28, 120 x 20 in the bar), as a user gives it the focus.
bool ClickQueryBox(HWND bar) {
    RECT r{};
    GetWindowRect(bar, &r);
    const int x = r.left + 60, y = r.top + 38;
    INPUT in[3]{};
    for (auto& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in[0].mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(3, in, sizeof(INPUT)) == 3;
}

int SuggestRounds(const std::wstring& exe, int rounds) {
    LocalService service;
    if (!service.Start()) return Fail("cannot listen on 127.0.0.1");
    if (!WriteSuggestSettings(service.Port())) return Fail("cannot write the bar's settings");
    struct Cleanup {
        ~Cleanup() { RemoveSuggestSettings(); }
    } cleanup;
    Started s;
    if (!StartVisible(exe, s)) return 1;
    Sleep(300);
    HWND combo = FindWindowExW(s.window, nullptr, L"ComboBox", nullptr);
    if (!combo) {
        Close(s.pi.hProcess, s.pi.dwProcessId);
        return Fail("no query box in the bar's window");
    }
    SetForegroundWindow(s.window);
    ClickQueryBox(s.window);
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    if (PollUntil(t0, 3000, [&] { return ForegroundWithFocus(s.window, L"Edit"); }) < 0) {
        Close(s.pi.hProcess, s.pi.dwProcessId);
        std::fprintf(stderr, "probe: the query box did not get the focus\n");
        return 1;
    }
    // Letters no history entry of the earlier measurements begins with.
    const std::wstring letters = L"abcdefghijklmnoprstuvwxyz";
    bool ok = true;
    for (int i = 0; ok && i <= rounds; ++i) {
        SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));  // set from outside: closes the list
        Sleep(300);
        const int before = service.Requests();
        QueryPerformanceCounter(&t0);
        if (!SendUnicodeKey(letters[static_cast<std::size_t>(i) % letters.size()])) {
            ok = Fail("SendInput failed");
            break;
        }
        const double shown = PollUntil(t0, 3000, [&] { return SuggestListShown(s.pi.dwProcessId); });
        if (shown < 0 || service.Requests() == before) {
            wchar_t text[64] = {};
            SendMessageW(combo, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
            std::fprintf(stderr, "probe: round %d: %s (requests %d, the box holds \"%ls\")\n", i,
                         shown < 0 ? "no list within 3 s" : "the list showed without a request", service.Requests(),
                         text);
            ok = false;
            break;
        }
        LARGE_INTEGER arrival;
        arrival.QuadPart = service.LastArrival();
        // Round 0 makes the list and the fetcher: not counted.
        if (i > 0)
            std::printf("shown_ms=%.3f request_ms=%.3f reply_to_shown_ms=%.3f\n", shown, Millis(t0, arrival),
                        shown - Millis(t0, arrival));
        std::fflush(stdout);
        Sleep(200);
    }
    if (ok) {
        long long before = CpuTicks(s.pi.hProcess);
        Sleep(10000);
        long long after = CpuTicks(s.pi.hProcess);
        std::printf("list_idle_ms=10000 list_idle_cpu_ms=%.3f list_still_open=%d\n",
                    before < 0 || after < 0 ? -1.0 : (after - before) / 10000.0,
                    SuggestListShown(s.pi.dwProcessId) ? 1 : 0);
    }
    std::printf("close=%s\n", Close(s.pi.hProcess, s.pi.dwProcessId));
    CloseHandle(s.pi.hThread);
    CloseHandle(s.pi.hProcess);
    return ok ? 0 : 1;
}

DWORD Number(const wchar_t* text) { return static_cast<DWORD>(std::wcstoul(text, nullptr, 10)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: probe run|launch <exe> [--settle MS] [--idle MS] [--hold FILE] | hotkey <exe> [--args TEXT] "
            "[--rounds N] [--focus-class NAME] | suggest <exe> [--rounds N] | close <pid> | shell <url>\n");
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
    if (mode == L"suggest") {
        int rounds = 20;
        for (int i = 3; i + 1 < argc; i += 2)
            if (std::wstring(argv[i]) == L"--rounds") rounds = static_cast<int>(Number(argv[i + 1]));
        return SuggestRounds(argv[2], rounds);
    }
    if (mode == L"launch") return Launch(argv[2]);
    if (mode == L"close") return CloseProcess(Number(argv[2]));
    if (mode == L"shell") return Shell(argv[2]);
    std::fprintf(stderr, "probe: unknown mode\n");
    return 2;
}
