#include "base/system_error_win.h"

#include <memory>

namespace quorvex {
namespace {

struct LocalFreer {
    void operator()(wchar_t* p) const { LocalFree(p); }
};

}  // namespace

std::string SystemErrorText(std::uint32_t code) noexcept {
    if (code == 0) return {};
    // An HRESULT that wraps a Win32 code: the system's text is the code's.
    if ((code & 0xFFFF0000u) == 0x80070000u) code &= 0xFFFFu;
    try {
        wchar_t* buffer = nullptr;
        const DWORD n =
            FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
        if (n == 0 || !buffer) return {};
        std::wstring wide(buffer, n);
        while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) wide.pop_back();
        if (wide.empty()) return {};
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return {};
        std::string text(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes, nullptr,
                            nullptr);
        return text;
    } catch (...) {
        return {};  // out of memory: the message and the code still go out
    }
}

void ThrowSystemError(const std::string& message, std::uint32_t code) {
    throw SystemError(message, code, SystemErrorText(code));
}

void ThrowLastError(const char* message) {
    const DWORD code = GetLastError();
    ThrowSystemError(message, code);
}

}  // namespace quorvex
