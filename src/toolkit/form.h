#pragma once
// Top-level windows with components: the bar and the dialogs.
//
// A form owns the components made through Make<T>() and finds every component
// registered with it by name. It paints its windowless controls on a
// double-buffered surface, feeds them its mouse input, shows their hints in
// one tooltip control, and, with KeyPreview on, sees WM_KEYDOWN/WM_SYSKEYDOWN
// of its focused child controls before they do (through the application's
// message loop). Forms are listed in the Screen while their window exists.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/font.h"
#include "toolkit/handles.h"
#include "toolkit/shift_state.h"
#include "toolkit/window.h"

namespace quorvex::tk {

class GraphicControl;
class WinControl;

// Results of ShowModal (the dialog-box command ids).
enum class ModalResult : int { None = 0, Ok = IDOK, Cancel = IDCANCEL, Yes = IDYES, No = IDNO };

struct FormParams {
    const wchar_t* ClassName;  // registered on first use
    std::wstring Caption;
    DWORD Style = WS_POPUP | WS_CLIPCHILDREN;
    DWORD ExStyle = 0;
    int Left = 0, Top = 0;
    // A design size (96 DPI), scaled to the form's DPI.
    int ClientWidth = 0, ClientHeight = 0;
    // Owner window; nullptr: the application window. The form starts at the
    // owner's DPI (the system DPI without one).
    HWND Owner = nullptr;
    HICON Icon = nullptr;
    // The system colour index of the background (COLOR_BTNFACE for dialogs).
    int BackgroundColor = COLOR_WINDOW;
};

class Form : public Window {
public:
    using KeyEvent = std::function<void(unsigned& key, ShiftState shift)>;
    using NotifyEvent = std::function<void(Form& sender)>;

    // Creates the (hidden) window. Forms are made as tk::Instance<T> (window.h),
    // which destroys the window before any part of the form goes.
    explicit Form(const FormParams& params);
    ~Form() override;
    // Destroys the window now (OnDestroy runs while the controls still exist).
    void Destroy() { DestroyHandle(); }

    // ---- components
    // Makes a component owned by the form: T's constructor takes (Form&, args...).
    template <typename T, typename... Args>
    T& Make(Args&&... args) {
        auto owned = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *owned;
        owned_.push_back(std::move(owned));
        return ref;
    }
    // The registered component of that name, or nullptr.
    Component* FindComponent(std::string_view name) const;
    template <typename T>
    T* Find(std::string_view name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }
    // The topmost visible windowless control at a client point, or nullptr.
    GraphicControl* ControlAtPos(POINT clientPoint) const;

    // ---- display scale
    // Sizes and positions of the form and its controls are pixels. Design
    // lengths (96 DPI) become pixels only through Scale: the controls'
    // constructors, fonts, pictures and the forms' layout code use it.
    int Dpi() const { return dpi_; }
    int Scale(int designLength) const;
    // The DPI changed to `dpi` (WM_DPICHANGED): the form takes `suggested`
    // (screen coordinates, may be null), re-creates its font, rescales its
    // controls and then calls DpiChanged for the form's own layout.
    void ChangeDpi(int dpi, const RECT* suggested);

    // ---- geometry and visibility
    RECT BoundsRect() const;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetClientSize(int width, int height);

    void Show();
    void Hide();
    bool Visible() const;
    // Brings the form to the front and activates it.
    void BringToFront();

    // Main form: ends the application's message loop (the window stays until
    // the form is destroyed). Modal form: ModalResult := Cancel. Other: hide.
    void Close();

    // Shows the form modally: the other windows of the program are disabled
    // until ModalResult becomes non-zero (or Close); returns that result.
    ModalResult ShowModal();
    bool Modal() const { return modal_; }
    ModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(ModalResult result) { modalResult_ = result; }

    // ---- keys
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    // Dialog navigation (Tab, Enter, Esc) through IsDialogMessage.
    bool DialogKeys() const { return dialogKeys_; }
    void SetDialogKeys(bool on) { dialogKeys_ = on; }
    // Key preview entry: raises OnKeyDown. Setting key to 0 swallows the key.
    virtual void KeyDown(unsigned& key, ShiftState shift);
    // Offers an accelerator character to the windowless controls; true = taken.
    bool DispatchDialogChar(wchar_t ch);

    // ---- font (shared by the captions of the form's controls)
    HFONT Font() const { return font_.get(); }
    // A font made for the form's DPI from a design height, made again when
    // the DPI changes.
    void SetFont(const FontRequest& request);
    // A ready-made font, kept as it is when the DPI changes.
    void SetFont(UniqueFont font);

    // ---- events
    KeyEvent OnKeyDown;
    NotifyEvent OnShow;     // each time the form is shown by Show()/ShowModal()/ShowWindow
    NotifyEvent OnDestroy;  // from WM_DESTROY, while the controls still exist
    NotifyEvent OnActivate;
    NotifyEvent OnDeactivate;

    // ---- for the controls
    void RegisterComponent(Component* c);
    void UnregisterComponent(Component* c);
    void InvalidateControl(const RECT& r);
    // Re-reads a control's hint, bounds and visibility into the tooltip.
    void UpdateHint(GraphicControl& control);
    // The owner of the form's window.
    HWND Owner() const;

protected:
    void Observe(Message& m) override;
    void WndProc(Message& m) override;
    void Destroyed() override;
    // Paints the background of the client area (default: the system colour).
    virtual void PaintBackground(HDC dc, const RECT& client);
    // After ChangeDpi rescaled the controls: the form's own layout.
    virtual void DpiChanged(int /*fromDpi*/, int /*toDpi*/) {}

private:
    void Paint();
    // Composes the controls over the background and copies `dirty` to `dc`.
    void PaintSurface(HDC dc, const RECT& dirty);
    void HandleMouse(Message& m);
    void SetHotControl(GraphicControl* control);
    void EnsureToolTip();
    void ResizeControls();
    void ApplyFont(UniqueFont font);
    void RestoreFocus();
    // A message about a child control goes to that control first
    // (WinControl::ParentNotification); true = it answered.
    bool ReflectToControl(Message& m);

    std::vector<std::unique_ptr<Component>> owned_;
    std::vector<Component*> components_;
    std::vector<GraphicControl*> graphics_;
    GraphicControl* hot_ = nullptr;
    GraphicControl* captured_ = nullptr;
    bool trackingLeave_ = false;
    UniqueFont font_;
    FontRequest fontRequest_;  // empty face: the font is not made per DPI
    int dpi_;
    UniqueWindow toolTip_;
    std::vector<GraphicControl*> tools_;  // controls with a tool in the tooltip
    HWND lastFocus_ = nullptr;            // the focused child when the form was deactivated
    int backgroundColor_;
    bool keyPreview_ = false;
    bool dialogKeys_ = false;
    bool modal_ = false;
    ModalResult modalResult_ = ModalResult::None;
};

}  // namespace quorvex::tk
