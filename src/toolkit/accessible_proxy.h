#pragma once
// A window's system accessibility object (the standard proxy) with some of
// its answers replaced: a name the system cannot find (no label beside the
// window), a role its proxy gets wrong, a value read from what the window
// paints itself. WM_GETOBJECT of the window is answered with it for the
// owner's lifetime; an object a client still holds after that answers
// CO_E_OBJNOTCONNECTED.
#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/accessible_object.h"
#include "toolkit/window_subclass.h"

namespace quorvex::tk {

// One row of a list the system cannot read (an owner-drawn list box without
// strings): a simple child of the window's object.
struct AccessibleRow {
    std::wstring Name;
    LONG Role = ROLE_SYSTEM_LISTITEM;
    LONG State = 0;  // STATE_SYSTEM_* bits
    RECT Bounds{};   // in the window's client coordinates
};

struct AccessibleAnswers {
    std::wstring Name;                    // empty: the system's
    LONG Role = 0;                        // 0: the system's
    std::function<std::wstring()> Value;  // empty: the system's
    // Set: the object's children are these rows (ids 1..n), not the system's.
    std::function<std::vector<AccessibleRow>()> Rows;
    // A row's default action (0-based index); false when it has none now.
    std::function<bool(std::size_t row)> RowAction;
    std::wstring RowActionName;
    bool Connected = true;  // false once the window's owner is gone
};

// The system's client object of `window` with `answers` for the object
// itself (CHILDID_SELF) and `parent` (null: the system's) as its parent.
// One reference, or null when the system has no object for it.
IAccessible* MakeAccessibleProxy(HWND window, std::shared_ptr<AccessibleAnswers> answers, IDispatch* parent);

class AccessibleWindow {
public:
    // Throws Error when the window cannot be hooked.
    AccessibleWindow(HWND window, AccessibleAnswers answers);
    ~AccessibleWindow();
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    // Shared with the objects handed out (their answers follow changes).
    const std::shared_ptr<AccessibleAnswers>& Answers() const { return answers_; }

private:
    std::shared_ptr<AccessibleAnswers> answers_;
    std::optional<WindowSubclass> hook_;
};

}  // namespace quorvex::tk
