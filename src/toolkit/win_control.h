#pragma once
// Windowed child controls: a standard (or own) window class placed on a form,
// subclassed so that its keys, focus changes and notifications become events.
// WM_COMMAND and WM_NOTIFY that the form receives from the child are passed to
// the control's Command()/Notify().
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

    // Notification codes of WM_COMMAND from this control; true = handled.
    virtual bool Command(WORD code);
    // WM_NOTIFY from this control; true = handled (result in `result`).
    virtual bool Notify(NMHDR& header, LRESULT& result);
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
    void ParentResized(int width, int height);
    void RememberAnchorDistances();
    void RescaleDpi(int fromDpi, int toDpi);

    Form* parent_;
    UniqueWindow window_;  // owned from its creation: a failed constructor takes it along
    int id_;
    Anchoring anchoring_;
    bool hasFocus_ = false;
    std::vector<std::unique_ptr<WindowSubclass>> parts_;  // the control's window first
};

// A push button.
class Button : public WinControl {
public:
    Button(Form& parent, std::string name, const std::wstring& caption, int left, int top, int width,
           int height, bool isDefault = false);
    bool Command(WORD code) override;
    // Clicks the button in code.
    void Click();
};

}  // namespace quorvex::tk
