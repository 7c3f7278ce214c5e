#pragma once
// Reads what the session's http handler recorded (scripts/wine-session).
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace quorvex::test {

inline std::string UrlLogPath() {
    const char* path = std::getenv("QUORVEX_URL_LOG");
    return path ? path : "";
}

inline std::vector<std::string> ReadUrlLog() {
    std::vector<std::string> lines;
    std::ifstream in(UrlLogPath(), std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Waits until the log holds at least `count` URLs (the handler runs as its own
// process, so it lands a moment after the shell call returns).
inline std::vector<std::string> WaitForUrls(std::size_t count, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    for (;;) {
        auto lines = ReadUrlLog();
        if (lines.size() >= count || GetTickCount() - start > timeoutMs) return lines;
        Sleep(20);
    }
}

inline void ClearUrlLog() { std::ofstream(UrlLogPath(), std::ios::binary | std::ios::trunc); }

}  // namespace quorvex::test
