#include "bar/sign_in_start_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "bar/sign_in_start.h"
#include "base/error.h"
#include "base/system_error_win.h"
#include "config/registry_key_win.h"
#include "toolkit/handles.h"
#include "toolkit/text.h"

namespace quorvex {

namespace {

// Longer commands are no command of ours.
constexpr DWORD MaxCommandBytes = 4 * 1024 * sizeof(wchar_t);

// The value's text; empty when it is missing or not a string.
std::wstring ReadCommand() {
    TRegistryKey key;
    if (!key.OpenRead(HKEY_CURRENT_USER, SignInRunKey)) return {};
    const TRegistryKey::Value v = key.QueryValue(SignInValueName, MaxCommandBytes);
    if (!v.Exists || (v.Type != REG_SZ && v.Type != REG_EXPAND_SZ) || v.Data.empty()) return {};
    std::wstring text(v.Data.size() / sizeof(wchar_t), L'\0');
    std::copy(v.Data.begin(), v.Data.begin() + static_cast<std::ptrdiff_t>(text.size() * sizeof(wchar_t)),
              reinterpret_cast<std::uint8_t*>(text.data()));
    // The stored string may or may not carry its terminating zero.
    const auto end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    if (v.Type == REG_SZ) return text;
    const DWORD n = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (n == 0) return text;
    std::wstring expanded(n, L'\0');
    if (ExpandEnvironmentStringsW(text.c_str(), expanded.data(), n) == 0) return text;
    expanded.resize(expanded.find(L'\0'));
    return expanded;
}

}  // namespace

std::string ThisProgramPath() {
    // Paths may exceed MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) ThrowLastError("Cannot read the program's path");
        if (n < buffer.size()) return tk::WideToUtf8(std::wstring_view(buffer.data(), n));
        if (buffer.size() >= 32768) throw Error("The program's path is too long");
        buffer.resize(buffer.size() * 2);
    }
}

bool StartsAtSignIn(const std::string& programPath) {
    return RunCommandStarts(tk::WideToUtf8(ReadCommand()), programPath);
}

void SetStartAtSignIn(bool on, const std::string& programPath) {
    if (on) {
        const std::wstring command = tk::Utf8ToWide(RunCommandFor(programPath));
        tk::UniqueKey key;
        ThrowIfWin32Error(RegCreateKeyExW(HKEY_CURRENT_USER, SignInRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr),
                          "Cannot open the sign-in start key");
        const DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
        ThrowIfWin32Error(RegSetValueExW(key.get(), SignInValueName, 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(command.c_str()), bytes),
                          "Cannot write the sign-in start value");
        return;
    }
    tk::UniqueKey key;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, SignInRunKey, 0, KEY_SET_VALUE, key.put());
    if (opened == ERROR_FILE_NOT_FOUND) return;  // no key, no value
    ThrowIfWin32Error(opened, "Cannot open the sign-in start key");
    const LONG rc = RegDeleteValueW(key.get(), SignInValueName);
    if (rc != ERROR_FILE_NOT_FOUND) ThrowIfWin32Error(rc, "Cannot remove the sign-in start value");
}

}  // namespace quorvex
