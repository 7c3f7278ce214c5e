#pragma once
// Suggestions as the user types into the query box: when the option is on,
// 150 ms after the user last changed the box's text (typing, pasting,
// deleting; not the bar's own fills nor another program's WM_SETTEXT), the
// list opens with the history entries that begin with the text, then the
// service's suggestions once they arrive.
//
// What tells a user's change from the others: the box's text changes through
// WM_SETTEXT whenever anyone but the edit field itself sets it (the bar, the
// drop-down's history pick, another program); an edit-field change outside a
// WM_SETTEXT is the user's.
//
// While the list is open: Down/Up walk it (the row's text in the box, above
// the first row what was typed), Esc closes it, a click searches the row.
// It closes when the text becomes empty or is set by anyone else, the box
// loses the focus, a search starts, the bar is deactivated, moved, hidden or
// opens a menu.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/shift_state.h"
#include "toolkit/window.h"
#include "toolkit/window_subclass.h"

namespace quorvex {
namespace tk {
class ComboBox;
class Form;
}  // namespace tk
class TSuggestList;
class TSuggestFetcher;

class TSuggestBox {
public:
    static constexpr UINT DebounceMs = 150;

    // Hooks the box's windows. The list (owned by `bar`) and the fetcher are
    // made when first needed.
    TSuggestBox(tk::Form& bar, tk::ComboBox& box);
    ~TSuggestBox();
    TSuggestBox(const TSuggestBox&) = delete;
    TSuggestBox& operator=(const TSuggestBox&) = delete;

    bool IsOpen() const;
    // nullptr until the list was first needed.
    TSuggestList* List() const { return list_.get(); }
    // A user change of the text waits for its 150 ms.
    bool Pending() const { return pending_; }

    // The bar's key preview: Esc, Down and Up while the list is open; `key`
    // becomes 0 when used here. Any other key is left as it is.
    void PreviewKey(unsigned& key, tk::ShiftState shift);
    // Closes the list and drops the pending change and request.
    void Close();
    // The bar's window messages; those that end the list close it.
    void BarMessage(const tk::Message& m);
    // Ends the fetcher for good (at exit, before the settings are written).
    void Stop();

    // A row clicked: the bar searches its text (the list is already closed).
    std::function<void(const std::wstring&)> OnPick;

private:
    void EditChanged();
    void Debounced();
    void ShowRows(const std::wstring& text, const std::vector<std::u16string>& suggestions);
    void Walk(bool down);
    void SetBoxText(const std::wstring& text);
    void EnsureList();
    bool ListMessage(tk::Message& m);
    void Request(const std::wstring& text);
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

    tk::Form& bar_;
    tk::ComboBox& box_;
    std::unique_ptr<tk::WindowSubclass> boxHook_, editHook_;
    std::unique_ptr<TSuggestList> list_;
    std::unique_ptr<TSuggestFetcher> fetcher_;  // made after the list, its target
    int settingText_ = 0;                       // inside a WM_SETTEXT of the box or its edit field
    bool walking_ = false;                      // the list's own walk sets the text
    bool pending_ = false;
    bool stopped_ = false;
    std::wstring typed_;  // what the user typed, shown above the first row
    POINT barAt_{};       // where the bar was when the list opened
};

}  // namespace quorvex
