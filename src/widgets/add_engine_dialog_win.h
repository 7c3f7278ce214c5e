#pragma once
// TF_AddEngine: the small modal dialog in which the user adds a search engine:
// a name, a URL template with {q} where the query goes, the encoding the
// query is sent in, and an optional suggestion URL. OK adds the engine to the
// settings and makes it current; a refused field keeps the dialog open after
// a message box that says why.
#include <windows.h>

#include "search/user_engines.h"
#include "toolkit/form.h"
#include "toolkit/radio_button.h"
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

    tk::WinControl& NameEdit() { return *name_; }
    tk::WinControl& TemplateEdit() { return *template_; }
    tk::WinControl& SuggestEdit() { return *suggest_; }
    tk::RadioButton& Utf8Radio() { return *utf8_; }
    tk::RadioButton& GbkRadio() { return *gbk_; }
    tk::Button& OkButton() { return *ok_; }
    tk::Button& CancelButton() { return *cancel_; }

private:
    tk::WinControl& MakeLabel(std::string name, const wchar_t* text, int left, int top, int width);
    void FormKeyDown(unsigned& key, tk::ShiftState shift);
    void PlaceNextToBar();

    HWND bar_;
    tk::WinControl* name_ = nullptr;
    tk::WinControl* template_ = nullptr;
    tk::RadioButton* utf8_ = nullptr;
    tk::RadioButton* gbk_ = nullptr;
    tk::WinControl* suggest_ = nullptr;
    tk::Button* ok_ = nullptr;
    tk::Button* cancel_ = nullptr;
};

// One modal run of the dialog next to the bar, then it is freed; true when an
// engine was added (it is then current).
bool ShowAddEngineDialog(HWND bar);

}  // namespace quorvex
