// URL handler for the benchmark: appends "<unix time in microseconds> <url>"
// to the log named by its first argument, so that the arrival time of a search
// can be compared with the moment the key was sent from the Linux side (Wine's
// system clock is the host's real-time clock).
//   stamp_recorder.exe <log file> <url>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "../tests/e2e/tools/url_log.h"

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
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%llu ", micros);
    return AppendToLog(argv[1], stamp + Utf8Argument(argv[2]) + "\n");
}
