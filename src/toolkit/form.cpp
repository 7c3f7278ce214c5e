#include "toolkit/form.h"

#include <commctrl.h>

#include <algorithm>

#include "base/dpi_scale.h"
#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/application.h"
#include "toolkit/disabled_windows.h"
#include "toolkit/dpi.h"
#include "toolkit/graphic_control.h"
#include "toolkit/guard.h"
#include "toolkit/popup_menu.h"
#include "toolkit/reflection.h"
#include "toolkit/screen.h"
#include "toolkit/win_control.h"

namespace quorvex::tk {
namespace {

UniqueFont CopyOfDefaultFont() {
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    return UniqueFont(CreateFontIndirectW(&lf));
}

bool Contains(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

}  // namespace

Form::Form(const FormParams& params)
    : dpi_(params.Owner ? WindowDpi(params.Owner) : SystemDpi()), backgroundColor_(params.BackgroundColor) {
    RegisterWindowClass({params.ClassName, CS_DBLCLKS, nullptr, params.Icon, nullptr});
    RECT r{0, 0, Scale(params.ClientWidth), Scale(params.ClientHeight)};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    CreateParams cp{params.ClassName, params.Caption};
    cp.Caption = params.Caption;
    cp.Style = params.Style & ~WS_VISIBLE;
    cp.ExStyle = params.ExStyle;
    cp.X = params.Left;
    cp.Y = params.Top;
    cp.Width = r.right - r.left;
    cp.Height = r.bottom - r.top;
    cp.Parent = params.Owner;
    if (!cp.Parent && Application::Current()) cp.Parent = Application::Current()->Handle();
    font_ = CopyOfDefaultFont();
    CreateHandle(cp);
    Screen::Add(this);
}

Form::~Form() {
    // A window still here means a derived constructor failed: the form never
    // was whole, so its destroy handlers must not run.
    if (Handle()) {
        toolTip_.release();  // a child: goes with the form's window
        DestroyHandleUnbound();
    }
    // Newest first: later components may refer to earlier ones.
    while (!owned_.empty()) owned_.pop_back();
    Screen::Remove(this);
}

// ---- components

void Form::RegisterComponent(Component* c) {
    components_.push_back(c);
    if (auto* g = dynamic_cast<GraphicControl*>(c)) graphics_.push_back(g);
}

void Form::UnregisterComponent(Component* c) {
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
    auto* g = dynamic_cast<GraphicControl*>(c);
    if (!g) return;
    graphics_.erase(std::remove(graphics_.begin(), graphics_.end(), g), graphics_.end());
    if (hot_ == g) hot_ = nullptr;
    if (captured_ == g) {
        captured_ = nullptr;
        if (Handle() && GetCapture() == Handle()) ReleaseCapture();
    }
    auto tool = std::find(tools_.begin(), tools_.end(), g);
    if (tool != tools_.end()) {
        tools_.erase(tool);
        if (toolTip_) {
            TOOLINFOW ti{};
            ti.cbSize = sizeof ti;
            ti.hwnd = Handle();
            ti.uId = reinterpret_cast<UINT_PTR>(g);
            SendMessageW(toolTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

Component* Form::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (Component* c : components_) {
        if (c->Name() == name) return c;
    }
    return nullptr;
}

GraphicControl* Form::ControlAtPos(POINT p) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        if ((*it)->Visible() && Contains((*it)->BoundsRect(), p)) return *it;
    }
    return nullptr;
}

bool Form::ReflectToControl(Message& m) {
    WinControl* control = WinControl::FromHandle(ReflectedChild(Handle(), m));
    // Only this form's own children: another window's control that names
    // this form by mistake is no business of it.
    if (!control || &control->Parent() != this) return false;
    return control->ParentNotification(m);
}

// ---- display scale

int Form::Scale(int designLength) const { return ScaleLength(designLength, dpi_); }

void Form::ChangeDpi(int dpi, const RECT* suggested) {
    if (dpi <= 0) return;
    const int old = dpi_;
    dpi_ = dpi;
    if (dpi != old) {
        if (!fontRequest_.Face.empty()) ApplyFont(CreateUiFont(fontRequest_, dpi_));
        for (Component* c : components_) {
            if (auto* g = dynamic_cast<GraphicControl*>(c)) g->RescaleDpi(old, dpi);
            else if (auto* w = dynamic_cast<WinControl*>(c)) w->RescaleDpi(old, dpi);
        }
    }
    if (suggested)
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (dpi != old) DpiChanged(old, dpi);
    InvalidateRect(Handle(), nullptr, FALSE);
}

// ---- geometry and visibility

RECT Form::BoundsRect() const {
    RECT r{};
    if (Handle()) GetWindowRect(Handle(), &r);
    return r;
}

int Form::Width() const {
    RECT r = BoundsRect();
    return r.right - r.left;
}

int Form::Height() const {
    RECT r = BoundsRect();
    return r.bottom - r.top;
}

int Form::ClientWidth() const {
    RECT r{};
    if (Handle()) GetClientRect(Handle(), &r);
    return r.right;
}

int Form::ClientHeight() const {
    RECT r{};
    if (Handle()) GetClientRect(Handle(), &r);
    return r.bottom;
}

void Form::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetLeft(int left) {
    SetWindowPos(Handle(), nullptr, left, Top(), 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void Form::SetTop(int top) {
    SetWindowPos(Handle(), nullptr, Left(), top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void Form::SetWidth(int width) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void Form::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void Form::Show() {
    ShowWindow(Handle(), SW_SHOW);
    BringToFront();
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool Form::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void Form::BringToFront() {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

HWND Form::Owner() const { return Handle() ? GetWindow(Handle(), GW_OWNER) : nullptr; }

void Form::Close() {
    if (modal_) {
        modalResult_ = ModalResult::Cancel;
        return;
    }
    Application* app = Application::Current();
    if (app && app->MainForm() == this) {
        app->Terminate();
        return;
    }
    Hide();
}

ModalResult Form::ShowModal() {
    if (modal_ || Visible()) throw Error("Cannot make a visible window modal");
    Application& app = Application::Get();
    HWND previousActive = GetActiveWindow();
    ModalResult result = ModalResult::None;
    {
        DisabledWindows disabled(Handle());
        modal_ = true;
        modalResult_ = ModalResult::None;
        ScopeExit end([this] {
            modal_ = false;
            if (Handle()) ShowWindow(Handle(), SW_HIDE);
        });
        Show();
        while (modalResult_ == ModalResult::None) {
            app.HandleMessage();
            if (app.Terminated() && modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
            if (!Handle()) break;
        }
        result = modalResult_;
    }
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return result;
}

// ---- keys

void Form::KeyDown(unsigned& key, ShiftState shift) {
    if (OnKeyDown) OnKeyDown(key, shift);
}

bool Form::DispatchDialogChar(wchar_t ch) {
    const auto controls = graphics_;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if ((*it)->Visible() && (*it)->Enabled() && (*it)->DialogChar(ch)) return true;
    }
    return false;
}

// ---- font

void Form::SetFont(const FontRequest& request) {
    ApplyFont(CreateUiFont(request, dpi_));
    fontRequest_ = request;
}

void Form::SetFont(UniqueFont font) {
    if (!font) return;
    fontRequest_ = FontRequest{};
    ApplyFont(std::move(font));
}

void Form::ApplyFont(UniqueFont font) {
    font_ = std::move(font);
    for (Component* c : components_) {
        if (auto* w = dynamic_cast<WinControl*>(c); w && w->Handle())
            SendMessageW(w->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

// ---- painting

void Form::InvalidateControl(const RECT& r) {
    if (Handle()) InvalidateRect(Handle(), &r, FALSE);
}

void Form::PaintBackground(HDC dc, const RECT& client) { FillRect(dc, &client, GetSysColorBrush(backgroundColor_)); }

void Form::Paint() {
    const PaintDc paint(Handle());
    PaintSurface(paint.get(), paint.PaintRect());
}

void Form::PaintSurface(HDC dc, const RECT& dirty) {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    UniqueBitmap surface(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (!mem || !surface) ThrowLastError("Out of system resources");
    SelectObjectScope selectSurface(mem.get(), surface.get());
    SelectObjectScope selectFont(mem.get(), font_.get());
    SetBkMode(mem.get(), TRANSPARENT);
    SetTextColor(mem.get(), GetSysColor(COLOR_WINDOWTEXT));
    PaintBackground(mem.get(), client);
    for (GraphicControl* c : graphics_) {
        if (!c->Visible()) continue;
        RECT b = c->BoundsRect();
        RECT overlap{};
        if (!IntersectRect(&overlap, &b, &dirty)) continue;
        const int saved = SaveDC(mem.get());
        IntersectClipRect(mem.get(), b.left, b.top, b.right, b.bottom);
        Guarded([&] { c->Paint(mem.get()); });
        RestoreDC(mem.get(), saved);
    }
    BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, mem.get(), dirty.left,
           dirty.top, SRCCOPY);
}

// ---- hints

// The tool tip window is made when the pointer first comes over the form
// (HandleMouse), not when hints are set: one window less to create before
// the form is first shown. It then takes the tools of every hint set so far.
void Form::EnsureToolTip() {
    if (toolTip_ || !Handle()) return;
    if (std::none_of(graphics_.begin(), graphics_.end(), [](GraphicControl* g) { return !g->Hint().empty(); })) return;
    toolTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!toolTip_) return;
    SendMessageW(toolTip_.get(), TTM_SETMAXTIPWIDTH, 0, 600);
    for (GraphicControl* g : graphics_)
        if (!g->Hint().empty()) UpdateHint(*g);
}

void Form::UpdateHint(GraphicControl& control) {
    if (hot_ == &control && !control.Visible()) SetHotControl(nullptr);
    if (!toolTip_) return;  // registered when the tool tip is made
    const bool wanted = !control.Hint().empty();
    auto it = std::find(tools_.begin(), tools_.end(), &control);
    if (!wanted && it == tools_.end()) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = 0;
    ti.hwnd = Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(&control);
    const bool shown = control.Visible() && control.ShowHint() && wanted;
    ti.rect = shown ? control.BoundsRect() : RECT{0, 0, 0, 0};
    std::wstring text = control.Hint();
    ti.lpszText = text.data();
    if (it == tools_.end()) {
        SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        tools_.push_back(&control);
    } else {
        SendMessageW(toolTip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
        SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

// ---- mouse

void Form::SetHotControl(GraphicControl* control) {
    if (control == hot_) return;
    GraphicControl* old = hot_;
    hot_ = control;
    if (old) {
        old->SetMouseInControl(false);
        old->MouseLeave();
    }
    if (control && hot_ == control) {
        control->SetMouseInControl(true);
        control->MouseEnter();
    }
}

void Form::HandleMouse(Message& m) {
    if (m.Msg == WM_MOUSEMOVE) EnsureToolTip();
    if (toolTip_) {
        MSG msg{Handle(), m.Msg, m.WParam, m.LParam, static_cast<DWORD>(GetMessageTime()), {}};
        DWORD pos = GetMessagePos();
        msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        SendMessageW(toolTip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    const ShiftState shift = MouseShiftState(m.WParam);
    auto under = [&]() -> GraphicControl* {
        GraphicControl* c = ControlAtPos(p);
        return c && c->Enabled() ? c : nullptr;
    };
    auto relX = [&](GraphicControl* c) { return p.x - c->Left(); };
    auto relY = [&](GraphicControl* c) { return p.y - c->Top(); };

    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
            trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
        }
        SetHotControl(under());
        GraphicControl* target = captured_ ? captured_ : hot_;
        if (target) target->MouseMove(shift, relX(target), relY(target));
        break;
    }
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (!captured_) SetHotControl(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GraphicControl* c = under()) {
            SetCapture(Handle());
            captured_ = c;
            c->MouseDown(MouseButton::Left, m.Msg == WM_LBUTTONDBLCLK ? shift | ssDouble : shift, relX(c), relY(c));
        }
        break;
    case WM_LBUTTONUP:
        if (GraphicControl* c = captured_) {
            captured_ = nullptr;
            if (GetCapture() == Handle()) ReleaseCapture();
            const bool inside = Contains(c->BoundsRect(), p);
            c->MouseUp(MouseButton::Left, shift, relX(c), relY(c));
            // The control may have gone in its handler.
            if (inside && std::find(graphics_.begin(), graphics_.end(), c) != graphics_.end()) c->Click();
            SetHotControl(under());
        }
        break;
    case WM_RBUTTONDOWN:
        if (GraphicControl* c = under()) c->MouseDown(MouseButton::Right, shift, relX(c), relY(c));
        break;
    case WM_MBUTTONDOWN:
        if (GraphicControl* c = under()) c->MouseDown(MouseButton::Middle, shift, relX(c), relY(c));
        break;
    case WM_MBUTTONUP:
        if (GraphicControl* c = under()) c->MouseUp(MouseButton::Middle, shift, relX(c), relY(c));
        break;
    case WM_RBUTTONUP:
        if (GraphicControl* c = under()) {
            c->MouseUp(MouseButton::Right, shift, relX(c), relY(c));
            if (std::find(graphics_.begin(), graphics_.end(), c) != graphics_.end() && c->GetPopupMenu()) {
                POINT s = Screen::CursorPos();
                c->GetPopupMenu()->Popup(s.x, s.y);
            }
        }
        break;
    case WM_CAPTURECHANGED:
        if (captured_ && reinterpret_cast<HWND>(m.LParam) != Handle()) {
            // Capture taken away mid-press: the press ends without a click.
            GraphicControl* c = captured_;
            captured_ = nullptr;
            c->MouseUp(MouseButton::Left, 0, -1, -1);
            SetHotControl(nullptr);
        }
        break;
    default:
        break;
    }
}

// The focus goes back to the child that had it, or to the first child that
// takes it, as in a dialog box.
void Form::RestoreFocus() {
    HWND target = nullptr;
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_)) {
        target = lastFocus_;
    } else {
        for (Component* c : components_) {
            auto* w = dynamic_cast<WinControl*>(c);
            if (!w || !w->Handle()) continue;
            const LONG_PTR style = GetWindowLongPtrW(w->Handle(), GWL_STYLE);
            if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
                target = w->Handle();
                break;
            }
        }
    }
    if (target && GetFocus() != target && !IsChild(target, GetFocus())) ::SetFocus(target);
}

void Form::ResizeControls() {
    const int w = ClientWidth();
    const int h = ClientHeight();
    for (Component* c : components_) {
        if (auto* g = dynamic_cast<GraphicControl*>(c)) g->ParentResized(w, h);
        else if (auto* wc = dynamic_cast<WinControl*>(c)) wc->ParentResized(w, h);
    }
}

// ---- messages

void Form::Observe(Message& m) {
    switch (m.Msg) {
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE) {
            Screen::SetActive(this);
            if (OnActivate) OnActivate(*this);
        } else if (OnDeactivate) {
            OnDeactivate(*this);
        }
        break;
    case WM_SHOWWINDOW:
        if (m.WParam && m.LParam == 0 && OnShow) OnShow(*this);
        break;
    default:
        break;
    }
}

void Form::WndProc(Message& m) {
    if (ReflectToControl(m)) return;
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_PAINT:
        Paint();
        return;
    case WM_PRINTCLIENT: {
        // PrintWindow and friends: the same surface, into their DC.
        RECT client{};
        GetClientRect(Handle(), &client);
        PaintSurface(reinterpret_cast<HDC>(m.WParam), client);
        m.Result = 0;
        return;
    }
    case WM_SIZE:
        ResizeControls();
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // High contrast and the system colours are read at paint time: a
        // repaint is all a switch needs, children included.
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_CAPTURECHANGED:
        HandleMouse(m);
        break;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(Handle(), f)) lastFocus_ = f;
            DefaultHandler(m);
        } else {
            DefaultHandler(m);
            if (!HIWORD(m.WParam)) RestoreFocus();  // not while minimised
        }
        return;
    case WM_SETFOCUS:
        DefaultHandler(m);
        RestoreFocus();
        return;
    case WM_CLOSE:
        Close();
        return;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(m.WParam), reinterpret_cast<const RECT*>(m.LParam));
        m.Result = 0;
        return;
    case WM_DESTROY:
        if (OnDestroy) OnDestroy(*this);
        break;
    case WM_COMMAND:
        if (!m.LParam && LOWORD(m.WParam) == IDCANCEL) {
            // Esc through the dialog key handling.
            Close();
            return;
        }
        break;
    default:
        break;
    }
    DefaultHandler(m);
}

void Form::Destroyed() {
    toolTip_.release();  // a child of the form: already gone with it
    tools_.clear();
    hot_ = nullptr;
    captured_ = nullptr;
    Screen::Remove(this);
}

}  // namespace quorvex::tk
