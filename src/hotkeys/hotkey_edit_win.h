#pragma once
// THotKeyEx: the edit box in which the user presses a hot key. It is the
// platform's hot-key control ("msctls_hotkey32") with the Windows key added as
// a fourth modifier: while the box has the focus a process-wide low-level
// keyboard hook swallows the Windows keys and posts them to the box. The box
// paints its text itself, in the display form ("Win + S", "无").
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "hotkeys/hotkey_edit_state.h"
#include "toolkit/accessible_proxy.h"
#include "toolkit/window_subclass.h"

namespace quorvex {

// InvalidKeys members: member i is the platform flag 1 shl i.
enum : std::uint8_t {
    hcNone = 0x01,          // HKCOMB_NONE
    hcShift = 0x02,         // HKCOMB_S
    hcCtrl = 0x04,          // HKCOMB_C
    hcAlt = 0x08,           // HKCOMB_A
    hcShiftCtrl = 0x10,     // HKCOMB_SC
    hcShiftAlt = 0x20,      // HKCOMB_SA
    hcCtrlAlt = 0x40,       // HKCOMB_CA
    hcShiftCtrlAlt = 0x80,  // HKCOMB_SCA
};

class THotKeyEx {
public:
    // Creates the control as a child of `parent` with the given control id
    // and bounds. The initial state is key 0x41 with Alt, InvalidKeys
    // hcNone | hcShift, AllowWinKey true.
    THotKeyEx(HWND parent, int id, int left, int top, int width, int height);
    ~THotKeyEx();
    THotKeyEx(const THotKeyEx&) = delete;
    THotKeyEx& operator=(const THotKeyEx&) = delete;

    HWND Handle() const { return FHandle; }

    // The value, with 0x1000 when Win belongs to it.
    std::uint16_t HotKey() const;
    // Bit 12 sets the Win flag; the rest goes to the platform control.
    void SetHotKey(std::uint16_t value);
    std::uint8_t InvalidKeys() const { return FInvalidKeys; }
    void SetInvalidKeys(std::uint8_t keys);
    std::uint8_t Modifiers() const { return FModifiers; }  // HOTKEYF_* bits
    void SetModifiers(std::uint8_t modifiers);
    bool AllowWinKey() const { return FState.AllowWinKey; }
    void SetAllowWinKey(bool allow) { FState.AllowWinKey = allow; }

    // The display text: "无", "Win + S", "Ctrl + Alt + " while only modifiers are held.
    std::string DisplayText() const;

    // What a screen reader calls the box (it reads the display text as its value).
    void SetAccessibleName(std::wstring name) { FAccessible->Answers()->Name = std::move(name); }

    bool Enabled() const { return IsWindowEnabled(FHandle) != FALSE; }
    void SetEnabled(bool enabled);

    // Errors escaping these reach the application's error box; the box goes on.
    std::function<void()> OnChange;  // the platform's EN_CHANGE, and Win changes
    std::function<void()> OnEnter;
    std::function<void()> OnExit;

    // The process-wide hook and the window it posts to (0 when none).
    static HHOOK HookHandle();
    static HWND HookTarget();

    // The compact-text function the display form is made from.
    static THotKeyTextFn TextFunction;

private:
    static LRESULT CALLBACK WinKeyHookProc(int code, WPARAM wParam, LPARAM lParam);
    bool BoxMessage(tk::WindowSubclass& hook, tk::Message& m);
    bool ParentMessage(tk::Message& m);
    void ApplyRules();
    void SendHotKey();
    void Paint();
    void Repaint();
    void FocusEntry();
    void FocusExit();

    HWND FHandle = nullptr;
    std::uint16_t FKey = 0x41;
    std::uint8_t FModifiers = 0x04;            // Alt
    std::uint8_t FInvalidKeys = hcNone | hcShift;
    THotKeyEditState FState;
    std::optional<tk::WindowSubclass> FBoxHook;
    // The platform reports its changes to the parent; the box listens there.
    std::optional<tk::WindowSubclass> FParentHook;
    // The box paints its own text, which the system's object cannot read.
    std::optional<tk::AccessibleWindow> FAccessible;
};

}  // namespace quorvex
