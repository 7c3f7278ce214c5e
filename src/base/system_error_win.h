#pragma once
// Failed system calls raised as SystemError, with the code and the system's
// own text for it. Each check reads the error first, before anything else can
// overwrite it, and hands the checked value back:
//
//     HWND h = ThrowLastErrorIfNull(CreateWindowExW(...), "Cannot create window");
//     ThrowIfFailed(link->Save(path, TRUE), "IPersistFile::Save failed");
//
// The message is a plain C string so that nothing allocates between the call
// and the check; a message built at run time takes the code explicitly.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/error.h"

namespace quorvex {

// The system's text for a Win32 code or HRESULT (UTF-8, no trailing line
// break); empty for 0 or a code the system has no text for. Never throws.
std::string SystemErrorText(std::uint32_t code) noexcept;

// Throws SystemError(message, code) with the system's text for the code.
[[noreturn]] void ThrowSystemError(const std::string& message, std::uint32_t code);

// Throws for GetLastError(), read on entry.
[[noreturn]] void ThrowLastError(const char* message);

template <typename T>
T ThrowLastErrorIfNull(T value, const char* message) {
    if (!value) ThrowLastError(message);
    return value;
}

inline void ThrowIfWin32BoolFalse(BOOL ok, const char* message) {
    if (!ok) ThrowLastError(message);
}

// A returned status such as the registry functions give (ERROR_SUCCESS is fine).
inline void ThrowIfWin32Error(LONG status, const char* message) {
    if (status != ERROR_SUCCESS) ThrowSystemError(message, static_cast<std::uint32_t>(status));
}

inline void ThrowIfFailed(HRESULT hr, const char* message) {
    if (FAILED(hr)) ThrowSystemError(message, static_cast<std::uint32_t>(hr));
}

}  // namespace quorvex
