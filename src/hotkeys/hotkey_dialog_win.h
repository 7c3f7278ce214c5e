#pragma once
// TF_HotKey: the dialog in which the user chooses the program-start hot key
// (kept in the Start-menu launch shortcut, older systems only) and the
// minimise/restore hot key (the TrayHotKey setting).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "hotkeys/hotkey_dialog.h"
#include "hotkeys/hotkey_edit_win.h"
#include "hotkeys/win_shortcut_win.h"
#include "toolkit/form.h"
#include "toolkit/radio_button.h"
#include "toolkit/win_control.h"

namespace quorvex {

// The minimise/restore key the dialog edits and what it knows of its
// registration.
struct TrayHotKeyLink {
    // The stored key the dialog starts with.
    std::uint16_t TrayHotKey = 0;
    // OK: stores the new minimise/restore key (also when unchanged).
    std::function<void(std::uint16_t value)> Save;
    // Registers a changed key in place of the old one before OK saves it;
    // false when the system refused it (the old one is registered again).
    // Empty: OK saves without registering (the caller registers afterwards).
    std::function<bool(std::uint16_t oldValue, std::uint16_t newValue)> Change;
    // The stored key's registration was refused.
    bool StoredRefused = false;
};

class TF_HotKey : public tk::Form {
public:
    // `bar`: the window next to which the dialog opens.
    TF_HotKey(HWND bar, TrayHotKeyLink link);

    // After OK: the minimise/restore hot key saved differs from the one the
    // dialog started with (the second key is never changed here).
    bool HotKeyChanged() const;
    // False (after telling the user) when the two hot keys are the same.
    bool CheckHotKeys();
    void SaveStartHotKey();
    void SaveTrayHotKey();
    void InitHotKeys();
    bool NewerSystem() const { return newerSystem_; }

    void btnOKClick();
    void btnCancelClick();
    void rbStartDefHotKeyClick();
    void rbStartCustomHotKeyClick();
    void rbTrayDefHotKeyClick();
    void rbTrayCustomHotKeyClick();

    // The controls, for the bar's tests and screenshots.
    tk::WinControl& StartGroup() { return *startGroup_; }
    tk::WinControl& TrayGroup() { return *trayGroup_; }
    tk::RadioButton& StartDefaultRadio() { return *startDefault_; }
    tk::RadioButton& StartCustomRadio() { return *startCustom_; }
    tk::RadioButton& TrayDefaultRadio() { return *trayDefault_; }
    tk::RadioButton& TrayCustomRadio() { return *trayCustom_; }
    tk::WinControl& StartLabel() { return *startLabel_; }
    tk::WinControl& TrayLabel() { return *trayLabel_; }
    // Under the minimise/restore group: tells that the key shown is taken.
    tk::WinControl& TrayStatusLabel() { return *trayStatus_; }
    THotKeyEx& StartHotKeyBox() { return *startBox_; }
    THotKeyEx& TrayHotKeyBox() { return *trayBox_; }
    tk::Button& OkButton() { return *ok_; }
    tk::Button& CancelButton() { return *cancel_; }

private:
    void FormKeyDown(unsigned& key);
    void MoveBy(tk::WinControl& control, int dy);
    std::uint16_t ShownTrayHotKey() const;
    void UpdateTrayStatus();
    bool ApplyTrayHotKey();

    HWND bar_;
    std::uint16_t trayHotKey_;  // the stored value; OK's saved one after it
    bool newerSystem_;
    bool shortcutKnown_ = false;  // the launch shortcut's folder could be named
    TrayHotKeyLink link_;
    THotKeyDialogRules rules_;
    std::unique_ptr<TWinShortcut> winShortcut_;
    tk::WinControl* startGroup_ = nullptr;
    tk::RadioButton* startDefault_ = nullptr;
    tk::RadioButton* startCustom_ = nullptr;
    tk::WinControl* startLabel_ = nullptr;
    THotKeyEx* startBox_ = nullptr;
    tk::WinControl* trayGroup_ = nullptr;
    tk::RadioButton* trayDefault_ = nullptr;
    tk::RadioButton* trayCustom_ = nullptr;
    tk::WinControl* trayLabel_ = nullptr;
    THotKeyEx* trayBox_ = nullptr;
    tk::WinControl* trayStatus_ = nullptr;
    tk::Button* ok_ = nullptr;
    tk::Button* cancel_ = nullptr;
};

// One modal run of the dialog next to the bar, then the dialog is freed.
// True when it closed with OK and HotKeyChanged. Without link.Change the
// caller then registers the minimise/restore hot key again.
bool ShowHotKeyDialog(HWND bar, TrayHotKeyLink link);

}  // namespace quorvex
