// Reads a window as a screen reader does, through Microsoft Active
// Accessibility, from outside its process.
//   acc_probe list CLASS [TITLE]          one line per element of the window's client object:
//                                         child=N name=... role=... state=... shortcut=... description=...
//   acc_probe listchild CLASS CHILDCLASS  the same for the first child window of CHILDCLASS (a dialog's list)
//   acc_probe do CLASS NAME               the default action of the child named NAME
//   acc_probe waitfor MS CLASS LINE...    waits until every LINE (a substring of a listed line) is listed;
//                                         prints the listing (exit 1 on timeout)
// Fields are separated by tabs; texts are printed as UTF-8. Exit 2 when the
// window or its object cannot be had (the HRESULT is printed).
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "print_line.h"

namespace {

// Spelled out: the library symbol made the look-up answer E_NOINTERFACE under Wine.
constexpr IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Com {
    Com() { CoInitialize(nullptr); }
    ~Com() { CoUninitialize(); }
};

template <typename T>
struct Ptr {
    T* p = nullptr;
    ~Ptr() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

struct Bstr {
    BSTR b = nullptr;
    ~Bstr() { SysFreeString(b); }
    std::wstring Text() const { return b ? std::wstring(b, SysStringLen(b)) : L""; }
};

VARIANT Child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring RoleText(LONG role) {
    switch (role) {
    case ROLE_SYSTEM_PUSHBUTTON:
        return L"pushbutton";
    case ROLE_SYSTEM_COMBOBOX:
        return L"combobox";
    case ROLE_SYSTEM_CLIENT:
        return L"client";
    case ROLE_SYSTEM_TEXT:
        return L"text";
    case ROLE_SYSTEM_LIST:
        return L"list";
    case ROLE_SYSTEM_LISTITEM:
        return L"listitem";
    case ROLE_SYSTEM_WINDOW:
        return L"window";
    case ROLE_SYSTEM_STATICTEXT:
        return L"statictext";
    case ROLE_SYSTEM_CHECKBUTTON:
        return L"checkbutton";
    case ROLE_SYSTEM_RADIOBUTTON:
        return L"radiobutton";
    case ROLE_SYSTEM_GROUPING:
        return L"grouping";
    case ROLE_SYSTEM_HOTKEYFIELD:
        return L"hotkeyfield";
    default:
        return std::to_wstring(role);
    }
}

std::wstring StateText(LONG state) {
    static const std::pair<LONG, const wchar_t*> names[] = {
        {STATE_SYSTEM_UNAVAILABLE, L"unavailable"}, {STATE_SYSTEM_INVISIBLE, L"invisible"},
        {STATE_SYSTEM_FOCUSABLE, L"focusable"},     {STATE_SYSTEM_FOCUSED, L"focused"},
        {STATE_SYSTEM_PRESSED, L"pressed"},         {STATE_SYSTEM_HOTTRACKED, L"hottracked"},
        {STATE_SYSTEM_CHECKED, L"checked"},         {STATE_SYSTEM_READONLY, L"readonly"},
        {STATE_SYSTEM_SELECTED, L"selected"},       {STATE_SYSTEM_OFFSCREEN, L"offscreen"},
    };
    std::wstring out;
    for (const auto& [bit, name] : names) {
        if (!(state & bit)) continue;
        if (!out.empty()) out += L",";
        out += name;
    }
    return out.empty() ? L"normal" : out;
}

std::wstring Clean(std::wstring s) {
    for (wchar_t& c : s)
        if (c == L'\t' || c == L'\n' || c == L'\r') c = L' ';
    return s;
}

// One element: `acc` with `id` (CHILDID_SELF for an object of its own).
std::wstring Describe(IAccessible* acc, LONG id, LONG index) {
    const VARIANT child = Child(id);
    Bstr name, shortcut, description;
    acc->get_accName(child, &name.b);
    acc->get_accKeyboardShortcut(child, &shortcut.b);
    acc->get_accDescription(child, &description.b);
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    acc->get_accRole(child, &role);
    acc->get_accState(child, &state);
    std::wstring line = L"child=" + std::to_wstring(index) + L"\tname=" + Clean(name.Text()) + L"\trole=" +
                        (role.vt == VT_I4 ? RoleText(role.lVal) : L"?") + L"\tstate=" +
                        (state.vt == VT_I4 ? StateText(state.lVal) : L"?") + L"\tshortcut=" + Clean(shortcut.Text()) +
                        L"\tdescription=" + Clean(description.Text());
    VariantClear(&role);
    VariantClear(&state);
    return line;
}

struct Element {
    std::wstring Line;
    std::wstring Name;
    Ptr<IAccessible> Object;  // the child's own object, or the parent for a simple child
    LONG Id = CHILDID_SELF;
};

HRESULT Walk(HWND window, std::vector<Element>& out) {
    Ptr<IAccessible> root;
    HRESULT hr = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), AccessibleIid,
                                            reinterpret_cast<void**>(&root.p));
    if (FAILED(hr) || !root.p) return FAILED(hr) ? hr : E_FAIL;
    LONG count = 0;
    if (FAILED(hr = root->get_accChildCount(&count))) return hr;
    out.clear();
    out.resize(static_cast<std::size_t>(count > 0 ? count : 0));
    for (LONG i = 1; i <= count; ++i) {
        Element& e = out[static_cast<std::size_t>(i - 1)];
        Ptr<IDispatch> dispatch;
        if (root->get_accChild(Child(i), &dispatch.p) == S_OK && dispatch.p &&
            SUCCEEDED(dispatch->QueryInterface(AccessibleIid, reinterpret_cast<void**>(&e.Object.p)))) {
            e.Id = CHILDID_SELF;
        } else {
            root->AddRef();
            e.Object.p = root.p;
            e.Id = i;
        }
        e.Line = Describe(e.Object.p, e.Id, i);
        Bstr name;
        e.Object->get_accName(Child(e.Id), &name.b);
        e.Name = name.Text();
    }
    return S_OK;
}

void PrintFailure(const wchar_t* what, HRESULT hr) {
    wchar_t line[96];
    swprintf(line, 96, L"%ls hr=0x%08lX", what, static_cast<unsigned long>(hr));
    probe::PrintLine(line);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Com com;
    if (argc < 3) {
        probe::PrintLine(L"usage: acc_probe list CLASS [TITLE] | do CLASS NAME | waitfor MS CLASS LINE...");
        return 2;
    }
    const std::wstring command = argv[1];
    if (command == L"list" || command == L"do" || command == L"listchild") {
        HWND window = FindWindowW(argv[2], command == L"list" && argc > 3 ? argv[3] : nullptr);
        if (window && command == L"listchild")
            window = argc > 3 ? FindWindowExW(window, nullptr, argv[3], nullptr) : nullptr;
        if (!window) {
            probe::PrintLine(L"nowindow");
            return 2;
        }
        std::vector<Element> elements;
        const HRESULT hr = Walk(window, elements);
        if (FAILED(hr)) {
            PrintFailure(L"noobject", hr);
            return 2;
        }
        if (command != L"do") {
            for (const Element& e : elements) probe::PrintLine(e.Line);
            return 0;
        }
        if (argc < 4) return 2;
        for (const Element& e : elements) {
            if (e.Name != argv[3]) continue;
            const HRESULT done = e.Object->accDoDefaultAction(Child(e.Id));
            PrintFailure(L"done", done);
            return SUCCEEDED(done) ? 0 : 1;
        }
        probe::PrintLine(L"noelement");
        return 1;
    }
    if (command == L"waitfor" && argc >= 4) {
        const DWORD ms = static_cast<DWORD>(_wtoi(argv[2]));
        const DWORD start = GetTickCount();
        std::vector<Element> elements;
        for (;;) {
            bool all = false;
            if (HWND window = FindWindowW(argv[3], nullptr); window && SUCCEEDED(Walk(window, elements))) {
                all = true;
                for (int i = 4; i < argc && all; ++i) {
                    bool found = false;
                    for (const Element& e : elements) found = found || e.Line.find(argv[i]) != std::wstring::npos;
                    all = found;
                }
            }
            if (all || GetTickCount() - start > ms) {
                for (const Element& e : elements) probe::PrintLine(e.Line);
                return all ? 0 : 1;
            }
            Sleep(100);
        }
    }
    return 2;
}
