#pragma once
// The program's forms as the user sees them: every form whose window exists,
// in creation order, and the one that was activated last.
#include <windows.h>

#include <vector>

namespace quorvex::tk {

class Form;

class Screen {
public:
    static const std::vector<Form*>& Forms();
    // The form activated last (nullptr when none, or after it was destroyed).
    static Form* ActiveForm();
    // The form a window belongs to (the window itself or one of its children), or nullptr.
    static Form* FormOf(HWND hwnd);
    // The cursor position in screen coordinates.
    static POINT CursorPos();
    static int Width() { return GetSystemMetrics(SM_CXSCREEN); }
    static int Height() { return GetSystemMetrics(SM_CYSCREEN); }

private:
    friend class Form;
    static void Add(Form* form);
    static void Remove(Form* form);
    static void SetActive(Form* form);
};

}  // namespace quorvex::tk
