#pragma once
// Finds a top-level window of a given class that belongs to a process.
#include <windows.h>

#include <cwchar>

namespace probe {

inline HWND FindProcessWindow(DWORD pid, const wchar_t* className, bool mustBeVisible) {
    struct Search {
        DWORD pid;
        const wchar_t* cls;
        bool visible;
        HWND found;
    } s{pid, className, mustBeVisible, nullptr};
    EnumWindows(
        [](HWND h, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == s->pid && std::wcscmp(cls, s->cls) == 0 && (!s->visible || IsWindowVisible(h))) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The window of `className` in the process that owns `w`.
inline HWND FindWindowOfSameProcess(HWND w, const wchar_t* className, bool mustBeVisible) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid ? FindProcessWindow(pid, className, mustBeVisible) : nullptr;
}

// Keeps this thread's windows answering for MS milliseconds (a probe that
// holds a window or a hot key for a while).
inline void PumpMessagesFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace probe
