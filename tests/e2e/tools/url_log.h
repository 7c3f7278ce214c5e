#pragma once
// Shared by the URL handlers of the tests and of the benchmark: the URL a
// handler was started with, and one line appended to the log file.
#include <windows.h>

#include <string>

// A wide command-line argument as UTF-8 (the URLs are ASCII by construction).
inline std::string Utf8Argument(const wchar_t* arg) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, arg, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, arg, -1, text.data(), n, nullptr, nullptr);
    return text;
}

// Appends `line` to the log; 0 on success, 1 on failure. Several searches may
// land at once: retry while another handler holds the file.
inline int AppendToLog(const wchar_t* path, const std::string& line) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
