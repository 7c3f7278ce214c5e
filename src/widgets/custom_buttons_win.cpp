#include "widgets/custom_buttons_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/desktop_win.h"
#include "base/error.h"
#include "toolkit/font.h"
#include "toolkit/guard.h"
#include "toolkit/text.h"
#include "widgets/dialog_placement.h"

namespace quorvex {

namespace {

tk::FormParams CustomButtonsParams() {
    tk::FormParams p;
    p.ClassName = L"TF_CustomButtons";
    p.Caption = L"自定义按钮";
    p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_TOOLWINDOW;
    p.ClientWidth = CustomButtonsClientWidth;
    p.ClientHeight = CustomButtonsClientHeight;
    p.BackgroundColor = COLOR_BTNFACE;
    return p;
}

constexpr int CheckBoxSize = 13;

}  // namespace

TCheckListBox::TCheckListBox(tk::Form& parent, std::string name, TCustomButtonItems& items, int left, int top,
                             int width, int height)
    : tk::WinControl(parent, std::move(name),
                     tk::ControlParams{L"LISTBOX", L"",
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN |
                                           LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                                       0, left, top, width, height}),
      items_(items) {
    SetItemMetrics();
    Refresh();
    tk::AccessibleAnswers answers;
    answers.Name = L"显示的按钮";
    answers.Rows = [this] { return AccessibleRows(); };
    answers.RowAction = [this](std::size_t row) {
        if (row >= items_.Items().size() || !items_.Items()[row].Enabled) return false;
        ToggleByUser(static_cast<int>(row));
        return true;
    };
    answers.RowActionName = L"切换";
    accessible_.emplace(Handle(), std::move(answers));
}

std::vector<tk::AccessibleRow> TCheckListBox::AccessibleRows() const {
    std::vector<tk::AccessibleRow> rows;
    const LRESULT selected = SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
    const bool focused = GetFocus() == Handle();
    for (std::size_t i = 0; i < items_.Items().size(); ++i) {
        const TCheckItem& item = items_.Items()[i];
        tk::AccessibleRow row;
        row.Name = tk::Utf8ToWide(item.Caption);
        row.Role = ROLE_SYSTEM_CHECKBUTTON;
        row.State = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (item.Checked) row.State |= STATE_SYSTEM_CHECKED;
        if (!item.Enabled) row.State |= STATE_SYSTEM_UNAVAILABLE;
        if (selected == static_cast<LRESULT>(i)) {
            row.State |= STATE_SYSTEM_SELECTED;
            if (focused) row.State |= STATE_SYSTEM_FOCUSED;
        }
        SendMessageW(Handle(), LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&row.Bounds));
        rows.push_back(std::move(row));
    }
    return rows;
}

void TCheckListBox::SetItemMetrics() {
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, Parent().Scale(CustomButtonsItemHeight));
    RECT client;
    GetClientRect(Handle(), &client);
    // Two columns of half the client width each (122 pixels at 96 DPI).
    SendMessageW(Handle(), LB_SETCOLUMNWIDTH, (client.right - client.left) / 2, 0);
}

void TCheckListBox::DpiChanged(int fromDpi, int toDpi) {
    tk::WinControl::DpiChanged(fromDpi, toDpi);
    SetItemMetrics();
}

void TCheckListBox::Refresh() {
    const auto& items = items_.Items();
    if (SendMessageW(Handle(), LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(items.size())) {
        SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
        for (const auto& item : items) SendMessageW(Handle(), LB_ADDSTRING, 0, static_cast<LPARAM>(item.Bit));
    }
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

bool TCheckListBox::MeasureItem(MEASUREITEMSTRUCT& measure) {
    measure.itemHeight = static_cast<UINT>(Parent().Scale(CustomButtonsItemHeight));
    return true;
}

bool TCheckListBox::DrawItem(const DRAWITEMSTRUCT& draw) {
    // An empty list draws just its focus: nothing of ours to paint.
    if (draw.itemID == static_cast<UINT>(-1) || draw.itemID >= items_.Items().size()) return true;
    const TCheckItem& item = items_.Items()[draw.itemID];
    HDC dc = draw.hDC;
    RECT r = draw.rcItem;

    // The check box area keeps the list's colour; the text area shows the selection.
    const tk::Form& form = Parent();
    const int checkWidth = form.Scale(CheckWidth);
    const int boxSize = form.Scale(CheckBoxSize);
    RECT checkArea{r.left, r.top, r.left + checkWidth, r.bottom};
    FillRect(dc, &checkArea, GetSysColorBrush(COLOR_WINDOW));
    RECT box{r.left + form.Scale(1), r.top + (r.bottom - r.top - boxSize) / 2, 0, 0};
    box.right = box.left + boxSize;
    box.bottom = box.top + boxSize;
    UINT state = DFCS_BUTTONCHECK;
    if (item.Checked) state |= DFCS_CHECKED;
    if (!item.Enabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text{r.left + checkWidth, r.top, r.right, r.bottom};
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!item.Enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring caption = tk::Utf8ToWide(item.Caption);
    RECT textRect = text;
    textRect.left += form.Scale(2);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
    return true;
}

void TCheckListBox::ToggleByUser(int index) {
    if (!items_.Toggle(index)) return;
    RECT r;
    if (SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(Handle(), &r, FALSE);
    if (OnClickCheck) OnClickCheck(*this);
}

bool TCheckListBox::ControlMessage(tk::WindowSubclass& part, tk::Message& m) {
    const HWND hwnd = part.Window();
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
        if (HIWORD(hit) != 0) break;  // outside every item
        const int index = LOWORD(hit);
        RECT r;
        if (SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            break;
        // Selection first (the list's own handling), then the toggle.
        part.Default(m);
        if (p.x - r.left < Parent().Scale(CheckWidth)) ToggleByUser(index);
        return true;
    }
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE) {
            const LRESULT current = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
            if (current != LB_ERR) ToggleByUser(static_cast<int>(current));
            m.Result = 0;
            return true;
        }
        break;
    case WM_CHAR:
        if (m.WParam == L' ') {
            m.Result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

TF_CustomButtons::TF_CustomButtons(HWND bar, std::int32_t buttonMask, MaskChange onChange)
    : tk::Form(CustomButtonsParams()),
      bar_(bar),
      mask_(buttonMask),
      onChange_(std::move(onChange)),
      items_(buttonMask) {
    SetFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET});
    SetKeyPreview(true);
    OnKeyDown = [this](unsigned& key, tk::ShiftState) { FormKeyDown(key); };
    list_ = &Make<TCheckListBox>("clbButtons", items_, 0, 0, CustomButtonsClientWidth, CustomButtonsClientHeight);
    list_->SetAnchors(tk::akLeft | tk::akTop | tk::akRight | tk::akBottom);
    list_->OnClickCheck = [this](TCheckListBox&) { clbButtonsClickCheck(); };
    InitButtonList();
}

void TF_CustomButtons::InitButtonList() {
    RECT bar;
    if (GetWindowRect(bar_, &bar)) {
        const int top = DialogTopNextToBar(bar.top, bar.bottom - bar.top, Height(), MonitorBoundsOf(bar_).Top);
        SetBounds(bar.left, top, Width(), Height());
    }
    items_ = TCustomButtonItems(mask_);
    list_->Refresh();
}

void TF_CustomButtons::clbButtonsClickCheck() {
    items_.ApplyLastItemRule();
    list_->Refresh();
    mask_ = items_.Mask();
    if (onChange_) onChange_(mask_);
}

void TF_CustomButtons::FormKeyDown(unsigned& key) {
    if (key == VK_ESCAPE) Close();
}

void ShowCustomButtonsDialog(HWND bar, std::int32_t buttonMask, TF_CustomButtons::MaskChange onChange) {
    tk::Instance<TF_CustomButtons> dialog(bar, buttonMask, std::move(onChange));
    dialog.ShowModal();
}

}  // namespace quorvex
