// Stand-in "browser" for the tests: registered as the http/https handler of a
// private Wine prefix, it appends the URL it was given to a log file.
//   url_recorder.exe <log file> <url>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int wmain() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    // The URL is ASCII by construction; anything else is written as UTF-8.
    int n = WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, nullptr, 0, nullptr, nullptr);
    std::string url(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, url.data(), n, nullptr, nullptr);
    // Several searches may land at once: retry while another recorder holds the file.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(argv[1], FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            url += '\n';
            DWORD written = 0;
            WriteFile(file, url.data(), static_cast<DWORD>(url.size()), &written, nullptr);
            CloseHandle(file);
            return written == url.size() ? 0 : 1;
        }
        Sleep(10);
    }
    return 1;
}
