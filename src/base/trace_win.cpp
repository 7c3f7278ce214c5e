#include "base/trace_win.h"

#include <windows.h>

#include <exception>

#include "base/error.h"

namespace quorvex {

void TraceLine(std::string line) noexcept {
    try {
        if (line.empty() || line.back() != '\n') line += '\n';
        const int n = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
        if (n <= 0) {
            OutputDebugStringA(line.c_str());
            return;
        }
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), n);
        OutputDebugStringW(wide.c_str());
    } catch (...) {
        OutputDebugStringA("Quorvex: a trace line was lost\n");
    }
}

void TraceSwallowedError(const char* where) noexcept {
    if (!std::current_exception()) {  // called outside a catch block: nothing to rethrow
        TraceLine(SwallowedErrorLine(where, nullptr));
        return;
    }
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            TraceLine(SwallowedErrorLine(where, &e));
        } catch (...) {
            TraceLine(SwallowedErrorLine(where, nullptr));
        }
    } catch (...) {
        OutputDebugStringA("Quorvex: an error was swallowed\n");
    }
}

}  // namespace quorvex
