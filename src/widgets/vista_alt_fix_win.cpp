#include "widgets/vista_alt_fix_win.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include <algorithm>

#include "toolkit/form.h"
#include "toolkit/screen.h"

namespace quorvex {

namespace {

bool CommonControls6() {
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    if (!comctl) return false;
    auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    if (!getVersion) return false;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    return SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
}

bool IsButtonWindow(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpiW(name, L"Button") == 0;
}

void PaintNow(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

}  // namespace

bool ThemedVistaOrLater() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
    if (info.dwMajorVersion < 6u) return false;
    return IsAppThemed() && IsThemeActive() && CommonControls6();
}

void RepaintTree(HWND control) {
    if (!control || !IsWindow(control)) return;
    PaintNow(control);
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RepaintTree(child);
    }
}

void RepaintButtons(HWND control) {
    if (!control || !IsWindow(control)) return;
    if (IsButtonWindow(control)) {
        PaintNow(control);
        return;
    }
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RepaintButtons(child);
    }
}

TFormObj::TFormObj(tk::Form& form, bool repaintEverything)
    : WatchedForm(&form),
      WatchedWindow(form.Handle()),
      RepaintEverything(repaintEverything),
      hook_(WatchedWindow, [this](tk::WindowSubclass& hook, tk::Message& m) { return WatchedMessage(hook, m); }) {}

void TFormObj::RepaintIfPending() {
    if (!RepaintPending) return;
    RepaintPending = false;
    if (!WatchedWindow) return;
    if (RepaintEverything) RepaintTree(WatchedWindow);
    else RepaintButtons(WatchedWindow);
}

bool TFormObj::WatchedMessage(tk::WindowSubclass& hook, tk::Message& m) {
    if (m.Msg == WM_NCDESTROY) {
        // The window goes away; the record is dropped at the next scan.
        WatchedWindow = nullptr;
        return false;
    }
    hook.Default(m);
    if (m.Msg == WM_UPDATEUISTATE) RepaintPending = true;
    return true;
}

TVistaAltFix::TVistaAltFix(Activation activation) {
    const bool active = activation == Activation::Always || (activation == Activation::Auto && ThemedVistaOrLater());
    if (!active) return;
    formObjList_ = std::make_unique<std::vector<std::unique_ptr<TFormObj>>>();
    appEvents_ = std::make_unique<tk::IdleSubscription>([this](bool&) { IdleScan(); });
}

TVistaAltFix::~TVistaAltFix() {
    appEvents_.reset();    // no more idle scans
    formObjList_.reset();  // unhooks the forms that still exist
}

void TVistaAltFix::IdleScan() {
    if (!formObjList_) return;
    auto& list = *formObjList_;
    for (auto& record : list) record->SeenInScan = false;
    for (tk::Form* form : tk::Screen::Forms()) {
        if (!form->HandleAllocated()) continue;
        auto found = std::find_if(list.begin(), list.end(), [&](const std::unique_ptr<TFormObj>& r) {
            return r->WatchedForm == form && r->WatchedWindow == form->Handle();
        });
        if (found != list.end()) (*found)->SeenInScan = true;
        else list.push_back(std::make_unique<TFormObj>(*form, RepaintAll));
    }
    for (std::size_t i = list.size(); i-- > 0;) {
        if (!list[i]->SeenInScan) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            list[i]->RepaintIfPending();
        }
    }
}

}  // namespace quorvex
