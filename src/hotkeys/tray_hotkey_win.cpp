#include "hotkeys/tray_hotkey_win.h"

#include "base/trace_win.h"
#include "hotkeys/tray_hotkey.h"
#include "toolkit/text.h"

#include <string>

namespace quorvex {
namespace {

class RealHotKeySystem final : public HotKeySystem {
public:
    ATOM AddAtom(const wchar_t* name) override { return GlobalAddAtomW(name); }
    bool Register(HWND window, int id, UINT modifiers, UINT virtualKey) override {
        return RegisterHotKey(window, id, modifiers, virtualKey) != FALSE;
    }
    bool Unregister(HWND window, int id) override { return UnregisterHotKey(window, id) != FALSE; }
};

}  // namespace

HotKeySystem& SystemHotKeys() {
    static RealHotKeySystem system;
    return system;
}

bool TrayHotKeyRegistrar::Register(HWND window, std::uint16_t value) {
    if (value == 0) return false;
    const HotKeyRegistration r = HotKeyToRegistration(value);
    // The atom is never deleted: the same name keeps giving the same id.
    id_ = system_->AddAtom(tk::Utf8ToWide(TrayHotKeyAtomName).c_str());
    // Without an atom there is no id to register under (0 means "none").
    if (id_ == 0) return false;
    if (system_->Register(window, static_cast<int>(id_), r.Modifiers, r.VirtualKey)) return true;
    // Keep the reason for whoever looks (1409: another program holds the keys).
    const DWORD error = GetLastError();
    TraceLine("Quorvex: RegisterHotKey(" + std::to_string(r.Modifiers) + ", " + std::to_string(r.VirtualKey) +
              ") refused, error " + std::to_string(error));
    return false;
}

void TrayHotKeyRegistrar::Unregister(HWND window) {
    if (id_ != 0) system_->Unregister(window, static_cast<int>(id_));
}

}  // namespace quorvex
