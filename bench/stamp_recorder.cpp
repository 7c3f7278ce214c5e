// URL handler for the benchmark: appends "<unix time in microseconds> <url>"
// to the log named by its first argument, so that the arrival time of a search
// can be compared with the moment the key was sent from the Linux side (Wine's
// system clock is the host's real-time clock).
//   stamp_recorder.exe <log file> <url>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int wmain() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    // FILETIME counts 100 ns from 1601; the Unix epoch is 11644473600 s later.
    unsigned long long micros = t.QuadPart / 10 - 11644473600ULL * 1000000ULL;

    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    int n = WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, nullptr, 0, nullptr, nullptr);
    std::string url(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, url.data(), n, nullptr, nullptr);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%llu ", micros);
    std::string line = stamp + url + "\n";
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(argv[1], FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return written == line.size() ? 0 : 1;
        }
        Sleep(10);
    }
    return 1;
}
