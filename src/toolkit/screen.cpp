#include "toolkit/screen.h"

#include <algorithm>

#include "toolkit/form.h"

namespace quorvex::tk {
namespace {

std::vector<Form*>& FormList() {
    static std::vector<Form*> forms;
    return forms;
}

Form*& Active() {
    static Form* active = nullptr;
    return active;
}

}  // namespace

const std::vector<Form*>& Screen::Forms() { return FormList(); }

Form* Screen::ActiveForm() { return Active(); }

Form* Screen::FormOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return dynamic_cast<Form*>(Window::FromHandle(root ? root : hwnd));
}

POINT Screen::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void Screen::Add(Form* form) {
    auto& forms = FormList();
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
}

void Screen::Remove(Form* form) {
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
    if (Active() == form) Active() = nullptr;
}

void Screen::SetActive(Form* form) { Active() = form; }

}  // namespace quorvex::tk
