#include "toolkit/win_control.h"

#include <commctrl.h>

#include <vector>

#include "base/dpi_scale.h"
#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/form.h"
#include "toolkit/guard.h"
#include "toolkit/reflection.h"

namespace quorvex::tk {
namespace {

int NextControlId() {
    static int next = 1000;
    return next++;
}

// The window property that leads from a control's window to its object.
constexpr wchar_t ControlProperty[] = L"QuorvexTkControl";

}  // namespace

WinControl::WinControl(Form& parent, std::string name, const ControlParams& p)
    : parent_(&parent), id_(NextControlId()) {
    SetName(std::move(name));
    window_.reset(ThrowLastErrorIfNull(
        CreateWindowExW(p.ExStyle, p.ClassName, p.Text.c_str(), p.Style | WS_CHILD, parent.Scale(p.Left),
                        parent.Scale(p.Top), parent.Scale(p.Width), parent.Scale(p.Height), parent.Handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr),
        "Cannot create control"));
    ThrowIfWin32BoolFalse(SetPropW(Handle(), ControlProperty, this), "Cannot bind control");
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(parent.Font()), FALSE);
    SubclassPart(Handle());
    parent_->RegisterComponent(this);
    RememberAnchorDistances();
}

WinControl::~WinControl() {
    parent_->UnregisterComponent(this);
    // No reflected message reaches the control while it goes.
    Unbind();
    if (HWND h = Handle()) {
        DestroyWindow(h);  // Handle() stays valid while it goes; WM_NCDESTROY lets go of it
        window_.release();
    }
}

WinControl* WinControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<WinControl*>(GetPropW(hwnd, ControlProperty)) : nullptr;
}

void WinControl::Unbind() {
    if (Handle() && GetPropW(Handle(), ControlProperty) == this) RemovePropW(Handle(), ControlProperty);
}

void WinControl::SubclassPart(HWND part) {
    parts_.push_back(std::make_unique<WindowSubclass>(
        part, [this](WindowSubclass& hook, Message& m) { return PartMessage(hook, m); }));
}

RECT WinControl::BoundsRect() const {
    RECT r{};
    if (!Handle()) return r;
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, parent_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void WinControl::SetBounds(int left, int top, int width, int height) {
    if (!Handle()) return;
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RememberAnchorDistances();
}

void WinControl::RememberAnchorDistances() {
    anchoring_.Remember(BoundsRect(), parent_->ClientWidth(), parent_->ClientHeight());
}

void WinControl::SetAnchors(Anchors anchors) {
    anchoring_.SetEdges(anchors);
    RememberAnchorDistances();
}

void WinControl::ParentResized(int width, int height) {
    if (!Handle() || anchoring_.Edges() == (akLeft | akTop)) return;
    const RECT r = anchoring_.Follow(BoundsRect(), width, height);
    SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinControl::RescaleDpi(int fromDpi, int toDpi) {
    if (!Handle()) return;
    DpiChanged(fromDpi, toDpi);
    anchoring_.Rescale(toDpi, fromDpi);
}

void WinControl::DpiChanged(int fromDpi, int toDpi) {
    const RECT r = BoundsRect();
    SetWindowPos(Handle(), nullptr, ScaleLength(r.left, toDpi, fromDpi), ScaleLength(r.top, toDpi, fromDpi),
                 ScaleLength(r.right - r.left, toDpi, fromDpi), ScaleLength(r.bottom - r.top, toDpi, fromDpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WinControl::Visible() const { return Handle() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE); }

void WinControl::SetVisible(bool visible) {
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

bool WinControl::Enabled() const { return Handle() && IsWindowEnabled(Handle()); }

void WinControl::SetEnabled(bool enabled) {
    if (Handle()) EnableWindow(Handle(), enabled);
}

void WinControl::SetFocus() {
    if (Handle()) ::SetFocus(Handle());
}

bool WinControl::Focused() const {
    HWND f = GetFocus();
    return Handle() && f && (f == Handle() || IsChild(Handle(), f));
}

std::wstring WinControl::Text() const {
    if (!Handle()) return {};
    const int n = GetWindowTextLengthW(Handle());
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(Handle(), s.data(), n + 1);
    s.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return s;
}

void WinControl::SetText(const std::wstring& text) {
    if (Handle()) SetWindowTextW(Handle(), text.c_str());
}

bool WinControl::ParentNotification(Message& m) {
    if (IsControlColorMessage(m.Msg)) {
        HBRUSH brush = nullptr;
        if (!ControlColor(reinterpret_cast<HDC>(m.WParam), brush)) return false;
        m.Result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    switch (m.Msg) {
    case WM_COMMAND:
        return Command(HIWORD(m.WParam));
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!Notify(*reinterpret_cast<NMHDR*>(m.LParam), result)) return false;
        m.Result = result;
        return true;
    }
    case WM_DRAWITEM:
        if (!DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam))) return false;
        m.Result = TRUE;
        return true;
    case WM_MEASUREITEM:
        if (!MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) return false;
        m.Result = TRUE;
        return true;
    default:
        return false;
    }
}

bool WinControl::Command(WORD) { return false; }

bool WinControl::Notify(NMHDR&, LRESULT&) { return false; }

bool WinControl::ControlColor(HDC dc, HBRUSH& brush) {
    if (backgroundColor_ < 0) return false;
    SetBkColor(dc, GetSysColor(backgroundColor_));
    SetTextColor(dc, GetSysColor(textColor_));
    brush = GetSysColorBrush(backgroundColor_);
    return true;
}

bool WinControl::DrawItem(const DRAWITEMSTRUCT&) { return false; }

bool WinControl::MeasureItem(MEASUREITEMSTRUCT&) { return false; }

void WinControl::SetSystemColors(int background, int text) {
    backgroundColor_ = background;
    textColor_ = text;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool WinControl::ControlMessage(WindowSubclass&, Message&) { return false; }

void WinControl::KeyDown(unsigned& key, ShiftState shift) {
    if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void WinControl::Enter() {
    if (OnEnter) OnEnter(*this);
}

void WinControl::Exit() {
    if (OnExit) OnExit(*this);
}

bool WinControl::PartMessage(WindowSubclass& part, Message& m) {
    if (m.Msg == WM_NCDESTROY) {
        // The control sees its window's end (to forget what refers to it)
        // while Handle() still names it.
        Guarded([&] { ControlMessage(part, m); });
        if (part.Window() == Handle()) {
            Unbind();
            window_.release();  // gone with its parent
        }
        return false;
    }
    if (Guarded([&] { return ControlMessage(part, m); }, false)) return true;
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        unsigned key = static_cast<unsigned>(m.WParam);
        Guarded([&] { KeyDown(key, KeyboardShiftState()); });
        if (key == 0) return true;  // swallowed, result 0
        m.WParam = key;
        return false;
    }
    case WM_SETFOCUS:
        part.Default(m);
        if (!hasFocus_) {
            hasFocus_ = true;
            Guarded([&] { Enter(); });
        }
        return true;
    case WM_KILLFOCUS: {
        part.Default(m);
        HWND next = reinterpret_cast<HWND>(m.WParam);
        const bool stillInside = Handle() && next && (next == Handle() || IsChild(Handle(), next));
        if (hasFocus_ && !stillInside) {
            hasFocus_ = false;
            Guarded([&] { Exit(); });
        }
        return true;
    }
    default:
        return false;
    }
}

Button::Button(Form& parent, std::string name, const std::wstring& caption, int left, int top, int width, int height,
               bool isDefault)
    : WinControl(parent, std::move(name),
                 ControlParams{L"BUTTON", caption,
                               static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                                  (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                               0, left, top, width, height}) {}

bool Button::Command(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

void Button::Click() {
    if (OnClick) OnClick(*this);
}

}  // namespace quorvex::tk
