#include "app/single_instance_win.h"

#include "bar/search_bar_win.h"
#include "base/error.h"
#include "base/system_error_win.h"

namespace quorvex {
namespace {

// "Local\": the user's session, as the window look-up is.
constexpr const wchar_t* InstanceMutexName = L"Local\\Ostravane.Quorvex.SearchBar";
// How long a later start waits for the first one's window, or for a bar on its
// way out to finish writing its settings.
constexpr DWORD StartWaitMs = 5000;
constexpr DWORD PollMs = 50;

// The running bar's window, unless it is disabled and hidden (on its way out).
HWND LiveBarWindow() {
    HWND h = FindWindowW(SearchBarClassName, nullptr);
    if (!IsWindow(h)) return nullptr;
    if (!IsWindowEnabled(h) && !IsWindowVisible(h)) return nullptr;
    return h;
}

void BringForward(HWND h) {
    if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
    if (!IsWindowVisible(h)) SendMessageW(h, WM_APP_RESTORE, 0, 0);
    SetForegroundWindow(h);
}

}  // namespace

InstanceClaim::InstanceClaim() : mutex_(CreateMutexW(nullptr, FALSE, InstanceMutexName)) {
    if (!mutex_) ThrowLastError("Cannot create the single-instance mutex");
}

InstanceClaim::~InstanceClaim() {
    if (held_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

bool InstanceClaim::Take(DWORD ms) {
    if (held_) return true;
    // An abandoned mutex means a bar ended without letting go: ours now.
    const DWORD r = WaitForSingleObject(mutex_, ms);
    held_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    return held_;
}

bool CanStartInstance(InstanceClaim& claim) {
    const DWORD start = GetTickCount();
    while (!claim.Take(0)) {
        // Another process holds the claim: once its window is up, hand over to it.
        if (HWND h = LiveBarWindow()) {
            BringForward(h);
            return false;
        }
        if (GetTickCount() - start >= StartWaitMs) return false;
        if (claim.Take(PollMs)) break;  // the other one ended meanwhile
    }
    // A bar of a build without the claim may still be running.
    if (HWND h = LiveBarWindow()) {
        BringForward(h);
        return false;
    }
    return true;
}

}  // namespace quorvex
