#pragma once
// The Alt-key repaint fix. With visual styles on newer systems, a window
// whose keyboard cues change (Alt pressed: accelerator underlines appear)
// gets WM_UPDATEUISTATE, but its themed child controls do not redraw. The fix
// watches every form of the program and repaints a marked form's windowed
// controls at the application's next idle moment.
#include <windows.h>

#include <memory>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/window_subclass.h"

namespace quorvex {

namespace tk {
class Form;
}

// One watched form: its window procedure is hooked (subclassed) to notice
// WM_UPDATEUISTATE. The hook goes with the record, so a form may outlive it.
class TFormObj {
public:
    TFormObj(tk::Form& form, bool repaintEverything);
    TFormObj(const TFormObj&) = delete;
    TFormObj& operator=(const TFormObj&) = delete;

    tk::Form* WatchedForm;
    HWND WatchedWindow;  // the window hooked; a new window of the same object is a new form
    bool SeenInScan = true;
    bool RepaintPending = false;
    bool RepaintEverything;

    void RepaintIfPending();

private:
    bool WatchedMessage(tk::WindowSubclass& hook, tk::Message& m);

    tk::WindowSubclass hook_;
};

class TVistaAltFix {
public:
    enum class Activation { Auto, Always, Never };

    // Auto: active on a newer system with visual styles in effect. Always and
    // Never override the test (for tests and for a classic look).
    explicit TVistaAltFix(Activation activation = Activation::Auto);
    ~TVistaAltFix();
    TVistaAltFix(const TVistaAltFix&) = delete;
    TVistaAltFix& operator=(const TVistaAltFix&) = delete;

    bool Active() const { return formObjList_ != nullptr; }
    // Copied into each new record.
    bool RepaintAll = true;

    // Run on every idle event while active.
    void IdleScan();
    const std::vector<std::unique_ptr<TFormObj>>* FormObjList() const { return formObjList_.get(); }

private:
    std::unique_ptr<tk::IdleSubscription> appEvents_;
    std::unique_ptr<std::vector<std::unique_ptr<TFormObj>>> formObjList_;
};

// GetVersionExA succeeds, major version 6 or more, and the program is themed
// with common controls 6.
bool ThemedVistaOrLater();

// Invalidates and paints at once a windowed control and, in child order,
// every windowed control below it.
void RepaintTree(HWND control);
// Repaints at once the buttons (push buttons, check boxes, radio buttons)
// below a control, without descending into them.
void RepaintButtons(HWND control);

}  // namespace quorvex
