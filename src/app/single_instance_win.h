#pragma once
// One bar per user session: a second start brings the running bar forward.
namespace quorvex {

// True when this process may go on starting. Otherwise the running bar has
// been restored (from the taskbar or, through WM_APP_RESTORE, from hiding)
// and brought to the foreground.
bool CanStartInstance();

}  // namespace quorvex
