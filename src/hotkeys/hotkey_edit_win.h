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
#include "toolkit/win_control.h"

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

class THotKeyEx : public tk::WinControl {
public:
    // Creates the control on `parent` at design bounds (scaled to the form's
    // DPI), with the form's font. The initial state is key 0x41 with Alt,
    // InvalidKeys hcNone | hcShift, AllowWinKey true.
    THotKeyEx(tk::Form& parent, std::string name, int left, int top, int width, int height);
    ~THotKeyEx() override;

    // The value, with 0x1000 when Win belongs to it.
    std::uint16_t HotKey() const;
    // Bit 12 sets the Win flag; the rest goes to the platform control.
    void SetHotKey(std::uint16_t value);
    std::uint8_t InvalidKeys() const { return invalidKeys_; }
    void SetInvalidKeys(std::uint8_t keys);
    std::uint8_t Modifiers() const { return modifiers_; }  // HOTKEYF_* bits
    void SetModifiers(std::uint8_t modifiers);
    bool AllowWinKey() const { return state_.AllowWinKey; }
    void SetAllowWinKey(bool allow) { state_.AllowWinKey = allow; }

    // The display text: "无", "Win + S", "Ctrl + Alt + " while only modifiers are held.
    std::string DisplayText() const;

    // What a screen reader calls the box (it reads the display text as its value).
    void SetAccessibleName(std::wstring name) { accessible_->Answers()->Name = std::move(name); }

    // Enabling repaints: the box draws its own text in the state's colours.
    void SetEnabled(bool enabled);

    // The platform's EN_CHANGE, and Win changes. Errors escaping it (and
    // OnEnter/OnExit) reach the application's error box; the box goes on.
    std::function<void()> OnChange;

    // The process-wide hook and the window it posts to (0 when none).
    static HHOOK HookHandle();
    static HWND HookTarget();

    // The compact-text function the display form is made from.
    static THotKeyTextFn TextFunction;

    bool Command(WORD code) override;
    bool ControlMessage(tk::WindowSubclass& part, tk::Message& m) override;

protected:
    // The focus entry installs the Windows-key hook; the exit removes it.
    void Enter() override;
    void Exit() override;

private:
    static LRESULT CALLBACK WinKeyHookProc(int code, WPARAM wParam, LPARAM lParam);
    void ApplyRules();
    void SendHotKey();
    void Paint();
    void Repaint();

    std::uint16_t key_ = 0x41;
    std::uint8_t modifiers_ = 0x04;  // Alt
    std::uint8_t invalidKeys_ = hcNone | hcShift;
    THotKeyEditState state_;
    // The box paints its own text, which the system's object cannot read.
    std::optional<tk::AccessibleWindow> accessible_;
};

}  // namespace quorvex
