#include "bar/suggest_list_win.h"

#include <algorithm>

#include "bar/suggest_placement.h"
#include "bar/suggest_walk.h"
#include "base/desktop_win.h"
#include "base/dpi_scale.h"
#include "base/system_error_win.h"
#include "toolkit/font.h"

namespace quorvex {
namespace {

constexpr int ListId = 1;
// The history clock's gutter and size (96 DPI).
constexpr int DesignGutter = 20;
constexpr int DesignClock = 10;

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

// A clock face with its hands: rows that come from the history.
void DrawClock(HDC dc, const RECT& row, int dpi, COLORREF color) {
    const int size = ScaleLength(DesignClock, dpi);
    const int left = row.left + (ScaleLength(DesignGutter, dpi) - size) / 2;
    const int top = row.top + (row.bottom - row.top - size) / 2;
    tk::UniqueHandle<HPEN, tk::GdiCloser> pen(CreatePen(PS_SOLID, std::max(1, ScaleLength(1, dpi)), color));
    tk::SelectObjectScope usePen(dc, pen.get());
    tk::SelectObjectScope noFill(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, left, top, left + size, top + size);
    const int cx = left + size / 2, cy = top + size / 2;
    MoveToEx(dc, cx, cy, nullptr);
    LineTo(dc, cx, top + size / 4);
    MoveToEx(dc, cx, cy, nullptr);
    LineTo(dc, left + size * 3 / 4, cy);
}

}  // namespace

TSuggestList::TSuggestList(HWND owner) {
    tk::RegisterWindowClass({SuggestListClassName, CS_DROPSHADOW});
    tk::CreateParams p{SuggestListClassName, L""};
    p.Style = WS_POPUP | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.Parent = owner;
    CreateHandle(p);
    list_ = ThrowLastErrorIfNull(
        CreateWindowExW(0, L"LISTBOX", L"",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                            LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                        0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)),
                        GetModuleHandleW(nullptr), nullptr),
        "Cannot create the suggestion list");
    listHook_ = std::make_unique<tk::WindowSubclass>(
        list_, [this](tk::WindowSubclass&, tk::Message& m) { return ListMessage(m); });
}

TSuggestList::~TSuggestList() = default;

bool TSuggestList::IsOpen() const { return Handle() && IsWindowVisible(Handle()); }

void TSuggestList::MakeFonts(int dpi) {
    if (dpi == fontDpi_ && font_) return;
    font_ = tk::CreateUiFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET}, dpi);
    boldFont_ = tk::CreateUiFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET, FW_BOLD}, dpi);
    fontDpi_ = dpi;
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, ScaleLength(DesignRowHeight, dpi));
}

void TSuggestList::Open(const std::vector<TSuggestRow>& rows, std::u16string_view typed, const RECT& box, int dpi) {
    if (rows.empty()) {
        Close();
        return;
    }
    MakeFonts(dpi);
    rows_ = rows;
    typed_ = std::u16string(typed);
    highlight_ = SuggestTypedText;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const TSuggestRow& row : rows_) SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row.Text)));
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);

    const int border = 2 * GetSystemMetrics(SM_CYBORDER);
    const int width = std::max(ScaleLength(DesignWidth, dpi), static_cast<int>(box.right - box.left));
    const int height = Count() * ScaleLength(DesignRowHeight, dpi) + border;
    const TRectI boxRect = ToRectI(box);
    const TDesktop desktop = CurrentDesktop();
    const TMonitor* monitor = MonitorNearest(desktop, boxRect);
    const TRectI work =
        monitor ? monitor->WorkArea : TRectI{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const TRectI r = PlaceSuggestList(boxRect, width, height, work);
    SetWindowPos(list_, nullptr, 0, 0, r.Right - r.Left, r.Bottom - r.Top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(list_, nullptr, TRUE);
}

void TSuggestList::Close() {
    if (Handle() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
    highlight_ = SuggestTypedText;
}

void TSuggestList::SetHighlight(int index) {
    highlight_ = index >= 0 && index < Count() ? index : SuggestTypedText;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(highlight_), 0);
}

void TSuggestList::DrawRow(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows_.size()) return;
    const TSuggestRow& row = rows_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (row.FromHistory) DrawClock(dc, r, fontDpi_, selected ? text : GetSysColor(COLOR_GRAYTEXT));

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    r.left += ScaleLength(DesignGutter, fontDpi_);
    r.right -= ScaleLength(4, fontDpi_);
    const std::size_t from = SuggestStressFrom(row.Text, typed_);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (from > 0) {
        tk::SelectObjectScope plain(dc, font_.get());
        SIZE extent{};
        GetTextExtentPoint32W(dc, Wide(row.Text), static_cast<int>(from), &extent);
        RECT head = r;
        DrawTextW(dc, Wide(row.Text), static_cast<int>(from), &head, format);
        r.left = std::min(r.right, static_cast<LONG>(r.left + extent.cx));
    }
    tk::SelectObjectScope bold(dc, boldFont_.get());
    DrawTextW(dc, Wide(row.Text) + from, static_cast<int>(row.Text.size() - from), &r, format);
}

// The list box never takes the focus: a press is a row's click, answered here.
bool TSuggestList::ListMessage(tk::Message& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, m.LParam);
        if (HIWORD(hit) == 0 && static_cast<int>(LOWORD(hit)) < Count() && OnRowClick) {
            SetHighlight(LOWORD(hit));
            OnRowClick(LOWORD(hit));
        }
        m.Result = 0;
        return true;
    }
    case WM_SETFOCUS:
        // Should the system still give it the focus, it goes back to the box.
        if (HWND previous = reinterpret_cast<HWND>(m.WParam)) ::SetFocus(previous);
        return true;
    default:
        return false;
    }
}

void TSuggestList::WndProc(tk::Message& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    case WM_DRAWITEM:
        if (m.WParam == ListId) {
            DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
            m.Result = TRUE;
            return;
        }
        break;
    case WM_MEASUREITEM:
        if (m.WParam == ListId) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight =
                static_cast<UINT>(ScaleLength(DesignRowHeight, fontDpi_ ? fontDpi_ : 96));
            m.Result = TRUE;
            return;
        }
        break;
    default:
        if (OnMessage && OnMessage(m)) return;
        break;
    }
    DefaultHandler(m);
}

}  // namespace quorvex
