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
#include "toolkit/win_control.h"

namespace quorvex {

// A radio button; BN_CLICKED raises OnClick.
class TRadioButton : public tk::WinControl {
public:
    TRadioButton(tk::Form& parent, std::string name, const std::wstring& caption, int left, int top, int width,
                 int height, bool firstOfGroup);
    bool Checked() const;
    // Checks this button, unchecks the others of its group and runs OnClick,
    // exactly as a click does.
    void Check();
    bool Command(WORD code) override;
};

// What the dialog knows of the minimise/restore key's registration.
struct TrayHotKeyLink {
    // Registers a changed key in place of the old one before OK saves it;
    // false when the system refused it (the old one is registered again).
    // Empty: OK saves without registering (the caller registers afterwards).
    std::function<bool(std::uint16_t oldValue, std::uint16_t newValue)> Change;
    // The stored key's registration was refused.
    bool StoredRefused = false;
};

class TF_HotKey : public tk::Form {
public:
    // `bar`: the window next to which the dialog opens. Remembers TrayHotKey
    // and SecondTrayHotKey.
    explicit TF_HotKey(HWND bar, TrayHotKeyLink link = {});

    // After OK: the minimise/restore hot key (or the second one) differs from
    // its value when the dialog was created.
    bool HotKeyChanged() const;
    // False (after telling the user) when the two hot keys are the same.
    bool CheckHotKeys();
    void SaveStartHotKey();
    void SaveTrayHotKey();
    void InitHotKeys();
    bool NewerSystem() const { return FNewerSystem; }

    void btnOKClick();
    void btnCancelClick();
    void rbStartDefHotKeyClick();
    void rbStartCustomHotKeyClick();
    void rbTrayDefHotKeyClick();
    void rbTrayCustomHotKeyClick();

    // The controls, for the bar's tests and screenshots.
    tk::WinControl& gbxStartHotKey() { return *FGbxStart; }
    tk::WinControl& gbxTrayHotKey() { return *FGbxTray; }
    TRadioButton& rbStartDefHotKey() { return *FRbStartDef; }
    TRadioButton& rbStartCustomHotKey() { return *FRbStartCustom; }
    TRadioButton& rbTrayDefHotKey() { return *FRbTrayDef; }
    TRadioButton& rbTrayCustomHotKey() { return *FRbTrayCustom; }
    tk::WinControl& lblStartHotKey() { return *FLblStart; }
    tk::WinControl& lblTrayHotKey() { return *FLblTray; }
    // Under the minimise/restore group: tells that the key shown is taken.
    tk::WinControl& lblTrayStatus() { return *FLblTrayStatus; }
    THotKeyEx& hkStart() { return *FHkStart; }
    THotKeyEx& hkTray() { return *FHkTray; }
    tk::Button& btnOK() { return *FBtnOK; }
    tk::Button& btnCancel() { return *FBtnCancel; }

protected:
    void WndProc(tk::Message& m) override;
    void DpiChanged(int fromDpi, int toDpi) override;

private:
    void FormKeyDown(unsigned& key);
    void MoveBy(tk::WinControl& control, int dy);
    void MoveBy(THotKeyEx& control, int dy);
    std::uint16_t ShownTrayHotKey() const;
    void UpdateTrayStatus();
    bool ApplyTrayHotKey();

    HWND FBar;
    std::uint16_t FSavedTrayHotKey;
    std::uint16_t FSavedSecondTrayHotKey;
    bool FNewerSystem;
    bool FShortcutKnown = false;  // the launch shortcut's folder could be named
    TrayHotKeyLink FLink;
    THotKeyDialogRules FRules;
    std::unique_ptr<TWinShortcut> FWinShortcut;
    tk::WinControl* FGbxStart = nullptr;
    TRadioButton* FRbStartDef = nullptr;
    TRadioButton* FRbStartCustom = nullptr;
    tk::WinControl* FLblStart = nullptr;
    std::unique_ptr<THotKeyEx> FHkStart;
    tk::WinControl* FGbxTray = nullptr;
    TRadioButton* FRbTrayDef = nullptr;
    TRadioButton* FRbTrayCustom = nullptr;
    tk::WinControl* FLblTray = nullptr;
    std::unique_ptr<THotKeyEx> FHkTray;
    tk::WinControl* FLblTrayStatus = nullptr;
    tk::Button* FBtnOK = nullptr;
    tk::Button* FBtnCancel = nullptr;
};

// One modal run of the dialog next to the bar, then the dialog is freed.
// True when it closed with OK and HotKeyChanged. Without link.Change the
// caller then registers the minimise/restore hot key again.
bool ShowHotKeyDialog(HWND bar, TrayHotKeyLink link = {});

}  // namespace quorvex
