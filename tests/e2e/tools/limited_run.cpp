// Runs a command as a standard user would: with the Administrators group of
// this process's token made deny-only, as the system's user account control
// filters an administrator's token for programs not elevated.
//   limited_run COMMAND [ARGS...]   waits for it, prints "exit=N" (its exit code
//                                   in full: a Unix exit status keeps only
//                                   the low byte) and exits with that code
// Exit 125 when the command cannot be started that way (the reason printed).
#include <windows.h>

#include "print_line.h"

#include <cwchar>
#include <string>

namespace {

struct Handle {
    HANDLE h = nullptr;
    ~Handle() {
        if (h) CloseHandle(h);
    }
};

struct Sid {
    PSID p = nullptr;
    ~Sid() {
        if (p) FreeSid(p);
    }
};

int Failed(const wchar_t* what) {
    probe::PrintLine(std::wstring(L"error=") + what + L" failed (" + std::to_wstring(GetLastError()) + L")");
    return 125;
}

// The command line after the program's own name, as the system gave it.
const wchar_t* CommandTail() {
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        p = std::wcschr(p + 1, L'"');
        p = p ? p + 1 : L"";
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

}  // namespace

int wmain(int argc, wchar_t**) {
    if (argc < 2) {
        probe::PrintLine(L"usage: limited_run COMMAND [ARGS...]");
        return 2;
    }
    Handle self;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY, &self.h))
        return Failed(L"OpenProcessToken");
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    Sid admins;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &admins.p))
        return Failed(L"AllocateAndInitializeSid");
    SID_AND_ATTRIBUTES disabled{admins.p, 0};
    Handle limited;
    if (!CreateRestrictedToken(self.h, 0, 1, &disabled, 0, nullptr, 0, nullptr, &limited.h))
        return Failed(L"CreateRestrictedToken");
    std::wstring command = CommandTail();  // CreateProcess may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessAsUserW(limited.h, nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process))
        return Failed(L"CreateProcessAsUser");
    Handle thread{process.hThread}, child{process.hProcess};
    WaitForSingleObject(child.h, INFINITE);
    DWORD code = 125;
    GetExitCodeProcess(child.h, &code);
    probe::PrintLine(L"exit=" + std::to_wstring(code));
    return static_cast<int>(code);
}
