#pragma once
// An editable drop-down box (CBS_DROPDOWN): a text field with a list of items.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/win_control.h"

namespace quorvex::tk {

class ComboBox : public WinControl {
public:
    ComboBox(Form& parent, std::string name, int left, int top, int width, int height);

    // The edit field inside the box.
    HWND EditHandle() const { return edit_; }

    void SetMaxLength(int chars);  // CB_LIMITTEXT
    // The list items' design height (96 DPI), scaled to the form's DPI.
    void SetItemHeight(int designHeight);

    std::size_t Count() const;
    std::wstring Item(std::size_t index) const;  // throws RangeError out of range
    std::vector<std::wstring> Items() const;
    void InsertItem(std::size_t index, const std::wstring& text);
    void AddItem(const std::wstring& text);
    void DeleteItem(std::size_t index);  // throws RangeError out of range
    void ClearItems();
    // Replaces the list; the text stays.
    void SetItems(const std::vector<std::wstring>& items);
    // Clears the list and the text.
    void Clear();

    // Selects the whole text of the edit field.
    void SelectAll();

    NotifyEvent OnChange;  // the text was edited or an item chosen

    bool Command(WORD code) override;

protected:
    void DpiChanged(int fromDpi, int toDpi) override;

private:
    // Sizes the selection field so that the closed box is `pixels` high.
    void FitClosedHeight(int pixels);

    HWND edit_ = nullptr;
    int designHeight_;          // of the closed box
    int designItemHeight_ = 0;  // 0: the system's
};

}  // namespace quorvex::tk
