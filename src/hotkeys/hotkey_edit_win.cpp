#include "hotkeys/hotkey_edit_win.h"

#include <commctrl.h>

#include "base/error.h"
#include "base/system_error_win.h"
#include "hotkeys/hotkey_text_win.h"
#include "toolkit/handles.h"
#include "toolkit/high_contrast.h"
#include "toolkit/text.h"

namespace quorvex {

namespace {

// The one low-level keyboard hook of the process and the window it posts to,
// held by whichever box has the focus.
struct WinKeyCapture {
    tk::UniqueHook Hook;
    HWND Target = nullptr;
    void Release() {
        Hook.reset();
        Target = nullptr;
    }
};

WinKeyCapture& Capture() {
    static WinKeyCapture capture;
    return capture;
}

void EnsureHotKeyClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_HOTKEY_CLASS};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    if (!registered) throw Error("The hot-key control class is not available");
}

bool IsNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

}  // namespace

THotKeyTextFn THotKeyEx::TextFunction = [](std::uint16_t value, bool allowEmptyKey) {
    return HotKeyToText(value, allowEmptyKey);
};

HHOOK THotKeyEx::HookHandle() { return Capture().Hook.get(); }
HWND THotKeyEx::HookTarget() { return Capture().Target; }

THotKeyEx::THotKeyEx(HWND parent, int id, int left, int top, int width, int height)
    : FState(THotKeyEditState::Base{
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
    if (!FHandle) ThrowLastError("The hot-key box cannot be created");
    // Not whole until both hooks are in: a failure takes the box away again.
    tk::ScopeExit destroy([this] {
        FAccessible.reset();
        FParentHook.reset();
        FBoxHook.reset();
        DestroyWindow(FHandle);
    });
    FBoxHook.emplace(FHandle, [this](tk::WindowSubclass& hook, tk::Message& m) { return BoxMessage(hook, m); });
    FParentHook.emplace(parent, [this](tk::WindowSubclass&, tk::Message& m) { return ParentMessage(m); });
    tk::AccessibleAnswers answers;
    answers.Role = ROLE_SYSTEM_HOTKEYFIELD;
    answers.Value = [this] { return tk::Utf8ToWide(DisplayText()); };
    FAccessible.emplace(FHandle, std::move(answers));
    destroy.release();
    SendMessageW(FHandle, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    ApplyRules();
}

THotKeyEx::~THotKeyEx() {
    FAccessible.reset();
    Capture().Release();
    FParentHook.reset();
    if (FHandle) {
        // Unhooked first: the box's own handling (its focus exit) ends here.
        FBoxHook.reset();
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
    const tk::PaintDc paint(FHandle);
    if (!paint) return;
    HDC dc = paint.get();
    RECT rect;
    GetClientRect(FHandle, &rect);
    InflateRect(&rect, -1, -1);
    const std::wstring text = tk::Utf8ToWide(DisplayText());
    auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    const tk::SelectObjectScope selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, OPAQUE);
    // White as ever, but the system's window colour under high contrast.
    const COLORREF field = tk::HighContrastOn() ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255);
    SetBkColor(dc, IsWindowEnabled(FHandle) ? field : GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutW(dc, rect.left, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    if (GetFocus() == FHandle) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SetCaretPos(rect.left + size.cx, rect.top);
    }
}

void THotKeyEx::FocusEntry() {
    if (IsNtFamily()) {
        WinKeyCapture& capture = Capture();
        if (!capture.Hook)
            capture.Hook.reset(SetWindowsHookExW(WH_KEYBOARD_LL, WinKeyHookProc, GetModuleHandleW(nullptr), 0));
        if (capture.Hook) capture.Target = FHandle;
    }
    if (OnEnter) OnEnter();
}

void THotKeyEx::FocusExit() {
    if (OnExit) OnExit();
    Capture().Release();
    FState.FocusExit();
}

LRESULT CALLBACK THotKeyEx::WinKeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const WinKeyCapture& capture = Capture();
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (event->vkCode == VK_LWIN || event->vkCode == VK_RWIN) {
            if (capture.Target) PostMessageW(capture.Target, WM_HOTKEYEX_WINKEY, wParam, 0);
            return 1;  // nobody else sees the Windows key
        }
    }
    return CallNextHookEx(capture.Hook.get(), code, wParam, lParam);
}

bool THotKeyEx::BoxMessage(tk::WindowSubclass& hook, tk::Message& m) {
    switch (m.Msg) {
        case WM_PAINT:
            Paint();
            return true;
        case WM_SETFOCUS:
            hook.Default(m);
            FocusEntry();
            return true;
        case WM_KILLFOCUS:
            hook.Default(m);
            FocusExit();
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            FState.KeyDown(static_cast<unsigned>(m.WParam));
            return false;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            FState.KeyUp(static_cast<unsigned>(m.WParam));
            return false;
        case WM_HOTKEYEX_WINKEY:
            FState.WinKeyMessage(static_cast<unsigned>(m.WParam));
            return true;
        case WM_NCDESTROY:
            // Destroyed with its parent: forget the window, and the hook's target.
            if (Capture().Target == FHandle) Capture().Release();
            FHandle = nullptr;
            return false;
        default:
            return false;
    }
}

bool THotKeyEx::ParentMessage(tk::Message& m) {
    if (m.Msg == WM_COMMAND && reinterpret_cast<HWND>(m.LParam) == FHandle && FHandle &&
        HIWORD(m.WParam) == EN_CHANGE && OnChange) {
        OnChange();
    }
    return false;
}

}  // namespace quorvex
