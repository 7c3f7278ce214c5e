#pragma once
// Windowed child controls: a standard (or own) window class placed on a form,
// subclassed so that its keys, focus changes and notifications become events.
// Every message the form receives about the child (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*, the owner-draw messages, WM_VKEYTOITEM/WM_CHARTOITEM) is
// reflected to the control, found through a property of its own window; what
// the control does not answer keeps the form's default handling.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/graphic_control.h"
#include "toolkit/handles.h"
#include "toolkit/shift_state.h"
#include "toolkit/window_subclass.h"

namespace quorvex::tk {

class Form;

struct ControlParams {
    const wchar_t* ClassName;  // "BUTTON", "EDIT", WC_COMBOBOXW, ...
    std::wstring Text;
    DWORD Style = WS_CHILD | WS_VISIBLE;
    DWORD ExStyle = 0;
    // Design bounds (96 DPI), scaled to the parent's DPI.
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

class WinControl : public Component {
public:
    using KeyEvent = std::function<void(WinControl& sender, unsigned& key, ShiftState shift)>;
    using NotifyEvent = std::function<void(WinControl& sender)>;

    // Creates the child window on the parent form with the form's font; its
    // control id is unique within the form.
    WinControl(Form& parent, std::string name, const ControlParams& params);
    ~WinControl() override;

    HWND Handle() const { return window_.get(); }
    // The control a window belongs to (the toolkit marks each control's window
    // when it makes it), or nullptr.
    static WinControl* FromHandle(HWND hwnd);
    Form& Parent() const { return *parent_; }
    int Id() const { return id_; }

    RECT BoundsRect() const;
    void SetBounds(int left, int top, int width, int height);
    Anchors GetAnchors() const { return anchoring_.Edges(); }
    void SetAnchors(Anchors anchors);

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    void SetFocus();
    bool Focused() const;

    std::wstring Text() const;
    void SetText(const std::wstring& text);

    // Keys arriving at the control (or, for combo boxes, at its edit field).
    KeyEvent OnKeyDown;
    NotifyEvent OnEnter;  // the control (or a child of it) got the focus
    NotifyEvent OnExit;   // the focus left it
    NotifyEvent OnClick;  // BN_CLICKED and the like, raised by subclasses

    // A message the parent form received about this control, reflected to it;
    // true = answered (result in m.Result), false leaves it to the form. The
    // base passes WM_COMMAND to Command, WM_NOTIFY to Notify, WM_CTLCOLOR* to
    // ControlColor, WM_DRAWITEM to DrawItem and WM_MEASUREITEM to MeasureItem;
    // a control answering the others (WM_COMPAREITEM, WM_DELETEITEM,
    // WM_VKEYTOITEM, WM_CHARTOITEM) overrides this.
    virtual bool ParentNotification(Message& m);
    // Notification codes of WM_COMMAND from this control; true = handled.
    virtual bool Command(WORD code);
    // WM_NOTIFY from this control; true = handled (result in `result`).
    virtual bool Notify(NMHDR& header, LRESULT& result);
    // WM_CTLCOLOR* for this control: true with the brush to paint with, after
    // setting the DC's colours. The base answers with the colours given to
    // SetSystemColors, else not.
    virtual bool ControlColor(HDC dc, HBRUSH& brush);
    // Owner-drawn items; true = drawn / measured.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item);
    // A list or combo box asks while its window is being made, before the
    // control is bound to it: that request stays with the form (the system's
    // default height), so such a control sets its item height once it exists.
    virtual bool MeasureItem(MEASUREITEMSTRUCT& item);

    // The control's background and text in system colours (COLOR_BTNFACE, ...),
    // read at every WM_CTLCOLOR*, so that a high-contrast switch shows at once.
    void SetSystemColors(int background, int text);
    // Messages of the control's windows (its own and the parts it hooked)
    // before their procedure; true = handled. `part.Default(m)` runs the
    // procedure's processing first.
    virtual bool ControlMessage(WindowSubclass& part, Message& m);

    virtual void KeyDown(unsigned& key, ShiftState shift);
    virtual void Enter();
    virtual void Exit();

protected:
    // The parent's DPI changed from `fromDpi` to `toDpi` (before it resizes):
    // the base moves and sizes the window to match.
    virtual void DpiChanged(int fromDpi, int toDpi);
    // Hooks a window that belongs to the control (e.g. a combo box's edit field).
    void SubclassPart(HWND part);

private:
    friend class Form;
    bool PartMessage(WindowSubclass& part, Message& m);
    void Unbind();
    void ParentResized(int width, int height);
    void RememberAnchorDistances();
    void RescaleDpi(int fromDpi, int toDpi);

    Form* parent_;
    UniqueWindow window_;  // owned from its creation: a failed constructor takes it along
    int id_;
    Anchoring anchoring_;
    bool hasFocus_ = false;
    int backgroundColor_ = -1;  // system colour indices; -1: the form's default colours
    int textColor_ = -1;
    std::vector<std::unique_ptr<WindowSubclass>> parts_;  // the control's window first
};

// A push button.
class Button : public WinControl {
public:
    Button(Form& parent, std::string name, const std::wstring& caption, int left, int top, int width, int height,
           bool isDefault = false);
    bool Command(WORD code) override;
    // Clicks the button in code.
    void Click();
};

}  // namespace quorvex::tk
