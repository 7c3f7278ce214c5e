#pragma once
// Registration of the minimise/restore hot key on the search bar's window.
// The system calls go through HotKeySystem so that tests can record them.
#include <windows.h>

#include <cstdint>

namespace quorvex {

class HotKeySystem {
public:
    virtual ~HotKeySystem() = default;
    virtual ATOM AddAtom(const wchar_t* name) = 0;
    virtual bool Register(HWND window, int id, UINT modifiers, UINT virtualKey) = 0;
    virtual bool Unregister(HWND window, int id) = 0;
};

// GlobalAddAtomW, RegisterHotKey, UnregisterHotKey.
HotKeySystem& SystemHotKeys();

class TrayHotKeyRegistrar {
public:
    explicit TrayHotKeyRegistrar(HotKeySystem& system = SystemHotKeys()) : system_(&system) {}

    // value is a hot-key value (Win 0x1000, Shift 0x2000, Ctrl 0x4000,
    // Alt 0x8000, key in the low byte). 0 registers nothing and leaves the id.
    // True when the system accepted the combination; a refusal is not an
    // error (another program may own the keys).
    bool Register(HWND window, std::uint16_t value);

    // No system call when nothing was ever registered. The id is kept.
    void Unregister(HWND window);

    // The atom of the registration, 0 before the first one.
    std::uint32_t Id() const { return id_; }

private:
    HotKeySystem* system_;
    std::uint32_t id_ = 0;
};

}  // namespace quorvex
