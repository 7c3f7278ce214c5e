#pragma once
// The value under HKEY_CURRENT_USER's "Run" key through which the shell
// starts the program at sign-in. The installer writes the same value.
#include <string>

namespace quorvex {

constexpr const wchar_t* SignInRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* SignInValueName = L"Lumetra";

// The running program's full path, UTF-8.
std::string ThisProgramPath();

// Whether the value exists and starts the program at `programPath`.
bool StartsAtSignIn(const std::string& programPath);

// Writes the value for `programPath` (on) or deletes it (off). A refusal
// raises SystemError with the system's status code.
void SetStartAtSignIn(bool on, const std::string& programPath);

}  // namespace quorvex
