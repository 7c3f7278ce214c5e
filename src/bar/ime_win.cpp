#include "bar/ime_win.h"

#include <imm.h>

#include <cwchar>

#include "base/hex.h"
#include "toolkit/handles.h"

namespace quorvex {
namespace {

bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// WINNLSEnableIME is not in every import library: looked up at run time.
void EnableIme(HWND hwnd) {
    using EnableFn = BOOL(WINAPI*)(HWND, BOOL);
    static const auto fn = reinterpret_cast<EnableFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "WINNLSEnableIME")));
    if (fn) fn(hwnd, TRUE);
}

}  // namespace

TImeSwitcher::TImeSwitcher() : startupLayout_(GetKeyboardLayout(0)), startupName_(LayoutDisplayName(startupLayout_)) {}

std::wstring TImeSwitcher::LayoutDisplayName(HKL layout) {
    // The key is named by the layout's low 32 bits as eight upper-case hex digits.
    std::wstring path = L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\";
    AppendHex8(path, static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(layout) & 0xFFFFFFFFu));
    tk::UniqueKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), L"Layout Text", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    text[size / sizeof(wchar_t)] = L'\0';
    return text;
}

const std::vector<TImeSwitcher::Layout>& TImeSwitcher::InstalledImeLayouts() {
    if (installedRead_) return installed_;
    installedRead_ = true;
    HKL layouts[64];
    const int n = GetKeyboardLayoutList(64, layouts);
    for (int i = 0; i < n; ++i) {
        if (ImmIsIME(layouts[i])) installed_.push_back({layouts[i], LayoutDisplayName(layouts[i])});
    }
    return installed_;
}

void TImeSwitcher::Enter(HWND edit, bool autoOpen) {
    requestedName_ = autoOpen ? PinyinLayoutName : L"";
    if (!GetSystemMetrics(SM_DBCSENABLED)) return;
    if (!requestedName_.empty() && !SameTextIgnoringCase(requestedName_, startupName_)) {
        const auto& installed = InstalledImeLayouts();
        if (!installed.empty()) {
            HKL target = startupLayout_;
            for (const Layout& l : installed) {
                if (SameTextIgnoringCase(l.Name, requestedName_)) {
                    target = l.Handle;
                    break;
                }
            }
            ActivateKeyboardLayout(target, KLF_ACTIVATE);
        }
    }
    if (autoOpen && edit) {
        EnableIme(edit);
        if (HIMC context = ImmGetContext(edit)) {
            ImmSetOpenStatus(context, TRUE);
            ImmReleaseContext(edit, context);
        }
    }
}

void TImeSwitcher::Exit() {
    if (!GetSystemMetrics(SM_DBCSENABLED)) return;
    if (!requestedName_.empty() && !SameTextIgnoringCase(requestedName_, startupName_))
        ActivateKeyboardLayout(startupLayout_, KLF_ACTIVATE);
}

}  // namespace quorvex
