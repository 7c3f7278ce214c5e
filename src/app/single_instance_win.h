#pragma once
// One bar per user session: a second start brings the running bar forward.
#include <windows.h>

namespace quorvex {

// The session-wide claim of being the bar: a named mutex held for the life of
// the bar's process. Two processes started at the same moment cannot both hold
// it, as they could both miss each other's window.
class InstanceClaim {
public:
    InstanceClaim();
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // Tries for at most `ms` milliseconds; true once this process holds it.
    bool Take(DWORD ms);
    bool Held() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

// True when this process may go on starting (it then holds `claim`).
// Otherwise the running bar has been restored (from the taskbar or, through
// WM_APP_RESTORE, from hiding) and brought to the foreground; the caller ends
// without touching the settings.
bool CanStartInstance(InstanceClaim& claim);

}  // namespace quorvex
