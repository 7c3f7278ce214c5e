#pragma once
// TF_AddEngine: the small modal dialog in which the user adds a search engine:
// a name, a URL template with {q} where the query goes, the encoding the
// query is sent in, and an optional suggestion URL. OK adds the engine to the
// settings and makes it current; a refused field keeps the dialog open after
// a message box that says why.
#include <windows.h>

#include "hotkeys/hotkey_dialog_win.h"
#include "search/user_engines.h"
#include "toolkit/form.h"
#include "toolkit/win_control.h"

namespace quorvex {

class TF_AddEngine : public tk::Form {
public:
    // `bar`: the window next to which the dialog opens.
    explicit TF_AddEngine(HWND bar);

    // The fields as they stand.
    TUserEngine Fields() const;
    // Adds the engine and closes with OK, or tells why not and stays open.
    void btnOKClick();

    tk::WinControl& edtName() { return *FName; }
    tk::WinControl& edtTemplate() { return *FTemplate; }
    tk::WinControl& edtSuggest() { return *FSuggest; }
    TRadioButton& rbUtf8() { return *FUtf8; }
    TRadioButton& rbGbk() { return *FGbk; }
    tk::Button& btnOK() { return *FBtnOK; }
    tk::Button& btnCancel() { return *FBtnCancel; }

protected:
    void WndProc(tk::Message& m) override;

private:
    void FormKeyDown(unsigned& key, tk::ShiftState shift);
    void PlaceNextToBar();

    HWND FBar;
    tk::WinControl* FName = nullptr;
    tk::WinControl* FTemplate = nullptr;
    TRadioButton* FUtf8 = nullptr;
    TRadioButton* FGbk = nullptr;
    tk::WinControl* FSuggest = nullptr;
    tk::Button* FBtnOK = nullptr;
    tk::Button* FBtnCancel = nullptr;
};

// One modal run of the dialog next to the bar, then it is freed; true when an
// engine was added (it is then current).
bool ShowAddEngineDialog(HWND bar);

}  // namespace quorvex
