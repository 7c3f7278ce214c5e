#include "base/os_version_win.h"

#include <windows.h>

namespace quorvex {

bool IsVistaOrLater() {
    OSVERSIONINFOA info{};
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the record GetVersionExA expects");
    info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    // The program carries no compatibility manifest entries, so the system
    // reports its own version (as the older systems do anyway).
    const BOOL ok = GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return ok && info.dwMajorVersion >= 6u;
}

const char* PickByVersion(const char* newer, const char* older) { return IsVistaOrLater() ? newer : older; }

}  // namespace quorvex
