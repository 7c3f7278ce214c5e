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

namespace {

tk::ControlParams HotKeyBoxParams(int left, int top, int width, int height) {
    EnsureHotKeyClass();
    return tk::ControlParams{HOTKEY_CLASSW, L"",   WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top,
                             width,         height};
}

}  // namespace

THotKeyEx::THotKeyEx(tk::Form& parent, std::string name, int left, int top, int width, int height)
    : tk::WinControl(parent, std::move(name), HotKeyBoxParams(left, top, width, height)),
      state_(THotKeyEditState::Base{
          [this] {
              return Handle()
                         ? HotKeyFromBaseWord(static_cast<std::uint16_t>(SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0)))
                         : static_cast<std::uint16_t>((key_ & 0xFF) | ((modifiers_ << 13) & 0xFFFF));
          },
          [this](std::uint16_t value) {
              const TBaseHotKey key = SplitBaseHotKey(value);
              key_ = key.Key;
              modifiers_ = key.Modifiers;
              SendHotKey();
          },
          [this] { Repaint(); },
          [this] {
              if (OnChange) OnChange();
          }}) {
    tk::AccessibleAnswers answers;
    answers.Role = ROLE_SYSTEM_HOTKEYFIELD;
    answers.Value = [this] { return tk::Utf8ToWide(DisplayText()); };
    accessible_.emplace(Handle(), std::move(answers));
    ApplyRules();
}

THotKeyEx::~THotKeyEx() {
    accessible_.reset();
    // The window goes with the base, and its focus exit no longer reaches
    // this box: a hook still installed goes now.
    Capture().Release();
}

std::uint16_t THotKeyEx::HotKey() const { return state_.HotKey(); }

void THotKeyEx::SetHotKey(std::uint16_t value) { state_.SetHotKey(value); }

void THotKeyEx::SetInvalidKeys(std::uint8_t keys) {
    invalidKeys_ = keys;
    ApplyRules();
}

void THotKeyEx::SetModifiers(std::uint8_t modifiers) {
    modifiers_ = modifiers;
    ApplyRules();
}

void THotKeyEx::ApplyRules() {
    if (!Handle()) return;
    SendMessageW(Handle(), HKM_SETRULES, invalidKeys_, MAKELPARAM(modifiers_, 0));
    SendHotKey();
}

void THotKeyEx::SendHotKey() {
    if (!Handle()) return;
    SendMessageW(Handle(), HKM_SETHOTKEY, BaseHotKeyWord(TBaseHotKey{key_, modifiers_}), 0);
}

std::string THotKeyEx::DisplayText() const { return state_.DisplayText(TextFunction); }

void THotKeyEx::SetEnabled(bool enabled) {
    tk::WinControl::SetEnabled(enabled);
    Repaint();
}

void THotKeyEx::Repaint() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void THotKeyEx::Paint() {
    const tk::PaintDc paint(Handle());
    if (!paint) return;
    HDC dc = paint.get();
    RECT rect;
    GetClientRect(Handle(), &rect);
    InflateRect(&rect, -1, -1);
    const std::wstring text = tk::Utf8ToWide(DisplayText());
    auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const tk::SelectObjectScope selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, OPAQUE);
    // White as ever, but the system's window colour under high contrast.
    const COLORREF field = tk::HighContrastOn() ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255);
    SetBkColor(dc, IsWindowEnabled(Handle()) ? field : GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutW(dc, rect.left, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    if (GetFocus() == Handle()) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SetCaretPos(rect.left + size.cx, rect.top);
    }
}

void THotKeyEx::Enter() {
    if (IsNtFamily()) {
        WinKeyCapture& capture = Capture();
        if (!capture.Hook)
            capture.Hook.reset(SetWindowsHookExW(WH_KEYBOARD_LL, WinKeyHookProc, GetModuleHandleW(nullptr), 0));
        if (capture.Hook) capture.Target = Handle();
    }
    tk::WinControl::Enter();
}

void THotKeyEx::Exit() {
    tk::WinControl::Exit();
    Capture().Release();
    state_.FocusExit();
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

bool THotKeyEx::ControlMessage(tk::WindowSubclass&, tk::Message& m) {
    switch (m.Msg) {
    case WM_PAINT:
        Paint();
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        state_.KeyDown(static_cast<unsigned>(m.WParam));
        return false;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        state_.KeyUp(static_cast<unsigned>(m.WParam));
        return false;
    case WM_HOTKEYEX_WINKEY:
        state_.WinKeyMessage(static_cast<unsigned>(m.WParam));
        return true;
    case WM_NCDESTROY:
        // Destroyed with its parent: the hook's target goes too.
        if (Capture().Target == Handle()) Capture().Release();
        return false;
    default:
        return false;
    }
}

// The platform reports its changes to the parent, which reflects them here.
bool THotKeyEx::Command(WORD code) {
    if (code == EN_CHANGE && OnChange) OnChange();
    return false;
}

}  // namespace quorvex
