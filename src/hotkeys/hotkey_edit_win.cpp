#include "hotkeys/hotkey_edit_win.h"

#include <commctrl.h>

#include <exception>

#include "base/error.h"
#include "hotkeys/hotkey_text_win.h"
#include "toolkit/text.h"

namespace quorvex {

namespace {

// One hook per process, owned by whichever box has the focus.
HHOOK g_hook = nullptr;
HWND g_target = nullptr;

constexpr UINT_PTR SubclassId = 0x484B4558;  // "HKEX"

void EnsureHotKeyClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_HOTKEY_CLASS};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    if (!registered) throw Error("The hot-key control class is not available");
}

bool IsNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

// Nothing may unwind through the system's frames; an error inside the box's
// window procedure is written to the debugger output and the message goes on
// to the platform control.
void ReportHotKeyBoxError() {
    try {
        throw;
    } catch (const std::exception& e) {
        OutputDebugStringW(tk::Utf8ToWide(e.what()).c_str());
    } catch (...) {
        OutputDebugStringW(L"Unknown error in the hot-key box");
    }
}

}  // namespace

THotKeyTextFn THotKeyEx::TextFunction = [](std::uint16_t value, bool allowEmptyKey) {
    return HotKeyToText(value, allowEmptyKey);
};

HHOOK THotKeyEx::HookHandle() { return g_hook; }
HWND THotKeyEx::HookTarget() { return g_target; }

THotKeyEx::THotKeyEx(HWND parent, int id, int left, int top, int width, int height)
    : FParent(parent),
      FState(THotKeyEditState::Base{
          [this] {
              return FHandle ? HotKeyFromBaseWord(static_cast<std::uint16_t>(SendMessageW(FHandle, HKM_GETHOTKEY, 0, 0)))
                             : static_cast<std::uint16_t>((FKey & 0xFF) | ((FModifiers << 13) & 0xFFFF));
          },
          [this](std::uint16_t value) {
              const TBaseHotKey key = SplitBaseHotKey(value);
              FKey = key.Key;
              FModifiers = key.Modifiers;
              SendHotKey();
          },
          [this] { Repaint(); },
          [this] {
              if (OnChange) OnChange();
          }}) {
    EnsureHotKeyClass();
    FHandle = CreateWindowExW(WS_EX_CLIENTEDGE, HOTKEY_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, left, top,
                              width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!FHandle) throw Error("The hot-key box cannot be created");
    SetWindowSubclass(FHandle, SubclassProc, SubclassId, reinterpret_cast<DWORD_PTR>(this));
    // The platform reports its changes to the parent; the box listens there.
    SetWindowSubclass(FParent, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(FHandle, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    ApplyRules();
}

THotKeyEx::~THotKeyEx() {
    if (g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
    g_target = nullptr;
    if (FParent && IsWindow(FParent)) RemoveWindowSubclass(FParent, ParentProc, reinterpret_cast<UINT_PTR>(this));
    if (FHandle) {
        RemoveWindowSubclass(FHandle, SubclassProc, SubclassId);
        DestroyWindow(FHandle);
    }
}

std::uint16_t THotKeyEx::HotKey() const { return FState.HotKey(); }

void THotKeyEx::SetHotKey(std::uint16_t value) { FState.SetHotKey(value); }

void THotKeyEx::SetInvalidKeys(std::uint8_t keys) {
    FInvalidKeys = keys;
    ApplyRules();
}

void THotKeyEx::SetModifiers(std::uint8_t modifiers) {
    FModifiers = modifiers;
    ApplyRules();
}

void THotKeyEx::ApplyRules() {
    if (!FHandle) return;
    SendMessageW(FHandle, HKM_SETRULES, FInvalidKeys, MAKELPARAM(FModifiers, 0));
    SendHotKey();
}

void THotKeyEx::SendHotKey() {
    if (!FHandle) return;
    SendMessageW(FHandle, HKM_SETHOTKEY, BaseHotKeyWord(TBaseHotKey{FKey, FModifiers}), 0);
}

std::string THotKeyEx::DisplayText() const { return FState.DisplayText(TextFunction); }

void THotKeyEx::SetEnabled(bool enabled) {
    EnableWindow(FHandle, enabled ? TRUE : FALSE);
    Repaint();
}

void THotKeyEx::Repaint() {
    if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void THotKeyEx::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    if (!dc) return;
    RECT rect;
    GetClientRect(FHandle, &rect);
    InflateRect(&rect, -1, -1);
    const std::wstring text = tk::Utf8ToWide(DisplayText());
    auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, IsWindowEnabled(FHandle) ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutW(dc, rect.left, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    if (GetFocus() == FHandle) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SetCaretPos(rect.left + size.cx, rect.top);
    }
    SelectObject(dc, oldFont);
    EndPaint(FHandle, &ps);
}

void THotKeyEx::FocusEntry() {
    if (IsNtFamily()) {
        if (!g_hook) g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, WinKeyHookProc, GetModuleHandleW(nullptr), 0);
        if (g_hook) g_target = FHandle;
    }
    if (OnEnter) OnEnter();
}

void THotKeyEx::FocusExit() {
    if (OnExit) OnExit();
    if (g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
        g_target = nullptr;
    }
    FState.FocusExit();
}

LRESULT CALLBACK THotKeyEx::WinKeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (event->vkCode == VK_LWIN || event->vkCode == VK_RWIN) {
            if (g_target) PostMessageW(g_target, WM_HOTKEYEX_WINKEY, wParam, 0);
            return 1;  // nobody else sees the Windows key
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

LRESULT THotKeyEx::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETFOCUS: {
            const LRESULT r = DefSubclassProc(FHandle, msg, wParam, lParam);
            FocusEntry();
            return r;
        }
        case WM_KILLFOCUS: {
            const LRESULT r = DefSubclassProc(FHandle, msg, wParam, lParam);
            FocusExit();
            return r;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            FState.KeyDown();
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            FState.KeyUp(static_cast<unsigned>(wParam));
            break;
        case WM_HOTKEYEX_WINKEY:
            FState.WinKeyMessage(static_cast<unsigned>(wParam));
            return 0;
        case WM_NCDESTROY: {
            // Destroyed with its parent: forget the window, and the hook's target.
            HWND self = FHandle;
            RemoveWindowSubclass(self, SubclassProc, SubclassId);
            if (g_target == self) {
                if (g_hook) UnhookWindowsHookEx(g_hook);
                g_hook = nullptr;
                g_target = nullptr;
            }
            FHandle = nullptr;
            return DefSubclassProc(self, msg, wParam, lParam);
        }
        default:
            break;
    }
    return DefSubclassProc(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK THotKeyEx::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    try {
        return reinterpret_cast<THotKeyEx*>(data)->Handle(msg, wParam, lParam);
    } catch (...) {
        ReportHotKeyBoxError();
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK THotKeyEx::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
    auto* self = reinterpret_cast<THotKeyEx*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ParentProc, reinterpret_cast<UINT_PTR>(self));
        self->FParent = nullptr;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == self->FHandle && HIWORD(wParam) == EN_CHANGE) {
        try {
            if (self->OnChange) self->OnChange();
        } catch (...) {
            ReportHotKeyBoxError();
        }
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace quorvex
