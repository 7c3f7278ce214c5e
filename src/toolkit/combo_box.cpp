#include "toolkit/combo_box.h"

#include <commctrl.h>

#include "base/checked.h"
#include "base/dpi_scale.h"
#include "base/error.h"
#include "toolkit/form.h"

namespace quorvex::tk {

// The list drops 8 items of 12 design pixels below the box.
constexpr int DropDownExtra = 8 * 12 + 2;

ComboBox::ComboBox(Form& parent, std::string name, int left, int top, int width, int height)
    : WinControl(parent, std::move(name),
                 ControlParams{WC_COMBOBOXW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                               left, top, width, height + DropDownExtra}),
      designHeight_(height) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info)) edit_ = info.hwndItem;
    if (edit_) SubclassPart(edit_);
    FitClosedHeight(parent.Scale(height));
}

// How the field height maps to the box height differs between systems:
// correct by the difference until it fits.
void ComboBox::FitClosedHeight(int pixels) {
    auto closedHeight = [this] {
        RECT r{};
        GetWindowRect(Handle(), &r);
        return static_cast<int>(r.bottom - r.top);
    };
    int field = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
        const int diff = pixels - closedHeight();
        if (diff == 0) break;
        field += diff;
        if (field <= 0) break;
        SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

// The window of a drop-down box is as high as the box with its list: it is
// sized from the design lengths, not from the closed box it shows.
void ComboBox::DpiChanged(int fromDpi, int toDpi) {
    const RECT r = BoundsRect();
    const int height = ScaleLength(designHeight_, toDpi);
    SetWindowPos(Handle(), nullptr, ScaleLength(r.left, toDpi, fromDpi), ScaleLength(r.top, toDpi, fromDpi),
                 ScaleLength(r.right - r.left, toDpi, fromDpi), height + ScaleLength(DropDownExtra, toDpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (designItemHeight_ > 0) SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, ScaleLength(designItemHeight_, toDpi));
    FitClosedHeight(height);
}

void ComboBox::SetMaxLength(int chars) { SendMessageW(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(chars), 0); }

void ComboBox::SetItemHeight(int designHeight) {
    designItemHeight_ = designHeight;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Parent().Scale(designHeight));
}

std::size_t ComboBox::Count() const {
    const LRESULT n = SendMessageW(Handle(), CB_GETCOUNT, 0, 0);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::wstring ComboBox::Item(std::size_t index) const {
    CheckedIndex(index, Count());
    const LRESULT len = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (len < 0) throw Error("Cannot read list item");
    std::wstring s(static_cast<std::size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(s.data()));
    s.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return s;
}

std::vector<std::wstring> ComboBox::Items() const {
    std::vector<std::wstring> items;
    const std::size_t n = Count();
    items.reserve(n);
    for (std::size_t i = 0; i < n; ++i) items.push_back(Item(i));
    return items;
}

void ComboBox::InsertItem(std::size_t index, const std::wstring& text) {
    if (index > Count()) throw RangeError("List index out of bounds");
    const LRESULT r = SendMessageW(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    if (r < 0) throw Error("Cannot add list item");
}

void ComboBox::AddItem(const std::wstring& text) { InsertItem(Count(), text); }

void ComboBox::DeleteItem(std::size_t index) {
    CheckedIndex(index, Count());
    SendMessageW(Handle(), CB_DELETESTRING, index, 0);
}

void ComboBox::ClearItems() {
    // CB_RESETCONTENT also empties the edit field; the text stays here.
    const std::wstring text = Text();
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    if (!text.empty()) SetText(text);
}

void ComboBox::SetItems(const std::vector<std::wstring>& items) {
    ClearItems();
    for (const auto& item : items) AddItem(item);
}

void ComboBox::Clear() {
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    SetText(L"");
}

void ComboBox::SelectAll() { SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

bool ComboBox::Command(WORD code) {
    if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) {
        if (OnChange) OnChange(*this);
        return true;
    }
    return false;
}

}  // namespace quorvex::tk
