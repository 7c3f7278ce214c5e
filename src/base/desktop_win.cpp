#include "base/desktop_win.h"

#include <shellapi.h>

#include <new>

namespace quorvex {
namespace {

DesktopOverride* current = nullptr;

struct MonitorList {
    std::vector<TMonitor> Monitors;
    bool OutOfMemory = false;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& list = *reinterpret_cast<MonitorList*>(data);
    try {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info))
            list.Monitors.push_back(
                {ToRectI(info.rcMonitor), ToRectI(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        return TRUE;
    } catch (const std::bad_alloc&) {
        list.OutOfMemory = true;  // no exception crosses the system's callback
        return FALSE;
    }
}

TScreenEdge EdgeOf(UINT edge) {
    switch (edge) {
    case ABE_LEFT:
        return TScreenEdge::Left;
    case ABE_TOP:
        return TScreenEdge::Top;
    case ABE_RIGHT:
        return TScreenEdge::Right;
    case ABE_BOTTOM:
        return TScreenEdge::Bottom;
    default:
        return TScreenEdge::Unknown;
    }
}

std::optional<TTaskbar> SystemTaskbar() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT window{};
    if (!tray || !GetWindowRect(tray, &window) || IsRectEmpty(&window)) return std::nullopt;
    TTaskbar taskbar{ToRectI(window)};
    APPBARDATA position{};
    position.cbSize = sizeof position;
    position.uEdge = ~0u;  // left alone by shells that do not report the edge
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &position) && !IsRectEmpty(&position.rc)) {
        taskbar.Rect = ToRectI(position.rc);
        taskbar.Edge = EdgeOf(position.uEdge);
    }
    APPBARDATA state{};
    state.cbSize = sizeof state;
    taskbar.AutoHide = (SHAppBarMessage(ABM_GETSTATE, &state) & ABS_AUTOHIDE) != 0;
    return taskbar;
}

}  // namespace

TDesktop SystemDesktop(TTaskbarQuery taskbar) {
    MonitorList list;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.OutOfMemory) throw std::bad_alloc();
    TDesktop desktop;
    if (list.Monitors.empty()) desktop = SingleScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    else desktop.Monitors = std::move(list.Monitors);
    if (taskbar == TTaskbarQuery::Ask) desktop.Taskbar = SystemTaskbar();
    return desktop;
}

TDesktop CurrentDesktop(TTaskbarQuery taskbar) { return current ? current->Desktop() : SystemDesktop(taskbar); }

DesktopOverride::DesktopOverride(TDesktop desktop) : desktop_(std::move(desktop)), previous_(current) {
    current = this;
}

DesktopOverride::~DesktopOverride() { current = previous_; }

TRectI MonitorBoundsOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const TDesktop desktop = CurrentDesktop();
    if (const TMonitor* m = MonitorNearest(desktop, ToRectI(r))) return m->Bounds;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace quorvex
