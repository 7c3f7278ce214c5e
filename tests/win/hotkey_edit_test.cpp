// The hot-key box against the platform's hot-key control: the messages it
// sends, the keyboard hook's lifetime and the Windows key typed for real.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "hotkeys/hotkey_edit_win.h"
#include "toolkit/form.h"
#include "win/test_app.h"
#include "win/window_fixture_win.h"

namespace quorvex {
namespace {

struct SentMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const SentMessage& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
};

std::string Describe(const std::vector<SentMessage>& list) {
    std::ostringstream out;
    for (const auto& m : list) {
        const char* name = m.msg == HKM_SETRULES    ? "HKM_SETRULES"
                           : m.msg == HKM_SETHOTKEY ? "HKM_SETHOTKEY"
                                                    : "HKM_GETHOTKEY";
        out << name << "(0x" << std::hex << m.wParam << ", 0x" << m.lParam << ") ";
    }
    return out.str();
}

// Records every HKM_* message sent to a hot-key control on this thread.
class HotKeyMessageRecorder {
public:
    HotKeyMessageRecorder() {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Proc, nullptr, GetCurrentThreadId());
    }
    ~HotKeyMessageRecorder() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::vector<SentMessage> Take() {
        auto out = std::move(sent_);
        sent_.clear();
        return out;
    }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ && m->message >= HKM_SETHOTKEY && m->message <= HKM_SETRULES) {
            wchar_t cls[32] = {};
            GetClassNameW(m->hwnd, cls, 32);
            if (lstrcmpiW(cls, HOTKEY_CLASSW) == 0) current_->sent_.push_back({m->message, m->wParam, m->lParam});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HotKeyMessageRecorder* current_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<SentMessage> sent_;
};

// A visible form to put boxes on.
class BoxForm {
public:
    explicit BoxForm(const wchar_t* caption) {
        test::TestApp();
        tk::FormParams p{L"QuorvexTestHotKeyForm", caption};
        p.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        p.Left = 100;
        p.Top = 100;
        p.ClientWidth = 320;
        p.ClientHeight = 200;
        form_ = tk::MakeInstance<tk::Form>(p);
        form_->Show();
        test::PumpFor(30);
    }
    tk::Form& operator*() const { return *form_; }
    HWND Handle() const { return form_->Handle(); }
    void Activate() const {
        form_->BringToFront();
        test::PumpFor(50);
    }
    // The window goes; the form object stays for the boxes made on it.
    void DestroyWindow() const { form_->Destroy(); }

private:
    std::unique_ptr<tk::Form> form_;
};

TEST(HotKeyBox, SendsRulesThenHotKeyAndReadsTheValueBack) {
    BoxForm top(L"hot-key messages");
    HotKeyMessageRecorder recorder;
    THotKeyEx box(*top, "hk", 10, 10, 121, 19);
    const std::vector<SentMessage> creation = {{HKM_SETRULES, hcNone | hcShift, HOTKEYF_ALT},
                                               {HKM_SETHOTKEY, 0x0441, 0}};
    auto got = recorder.Take();
    EXPECT_EQ(got, creation) << "actual: " << Describe(got) << "\nexpected: " << Describe(creation);

    // What the dialog streams: HotKey 0, InvalidKeys [hcNone], Modifiers [].
    box.SetHotKey(0);
    box.SetInvalidKeys(hcNone);
    box.SetModifiers(0);
    const std::vector<SentMessage> streamed = {{HKM_SETHOTKEY, 0, 0},
                                               {HKM_SETRULES, hcNone, 0},
                                               {HKM_SETHOTKEY, 0, 0},
                                               {HKM_SETRULES, hcNone, 0},
                                               {HKM_SETHOTKEY, 0, 0}};
    got = recorder.Take();
    EXPECT_EQ(got, streamed) << "actual: " << Describe(got) << "\nexpected: " << Describe(streamed);
    EXPECT_EQ(box.DisplayText(), "无");
    recorder.Take();

    box.SetHotKey(0xC053);  // Ctrl+Alt+S
    EXPECT_EQ(box.HotKey(), 0xC053);
    EXPECT_EQ(box.DisplayText(), "Ctrl + Alt + S");
    box.SetHotKey(0x1053);  // the Win bit stays with the box
    EXPECT_EQ(box.HotKey(), 0x1053);
    EXPECT_EQ(box.DisplayText(), "Win + S");
    const std::vector<SentMessage> values = {{HKM_SETHOTKEY, 0x0653, 0}, {HKM_GETHOTKEY, 0, 0}, {HKM_GETHOTKEY, 0, 0},
                                             {HKM_SETHOTKEY, 0x0053, 0}, {HKM_GETHOTKEY, 0, 0}, {HKM_GETHOTKEY, 0, 0}};
    got = recorder.Take();
    EXPECT_EQ(got, values) << "actual: " << Describe(got) << "\nexpected: " << Describe(values);
}

TEST(HotKeyBox, HookLivesFromFocusEntryToFocusExit) {
    BoxForm top(L"hook lifetime");
    HWND other = CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 150, 10, 40, 20, top.Handle(), nullptr,
                                 nullptr, nullptr);
    auto box = std::make_unique<THotKeyEx>(*top, "hk", 10, 10, 121, 19);
    int enters = 0, exits = 0;
    box->OnEnter = [&](tk::WinControl&) { ++enters; };
    box->OnExit = [&](tk::WinControl&) {
        ++exits;
        EXPECT_NE(THotKeyEx::HookHandle(), nullptr);  // the exit event comes first
    };
    EXPECT_EQ(THotKeyEx::HookHandle(), nullptr);

    SetFocus(box->Handle());
    EXPECT_NE(THotKeyEx::HookHandle(), nullptr);
    EXPECT_EQ(THotKeyEx::HookTarget(), box->Handle());
    SetFocus(other);
    EXPECT_EQ(THotKeyEx::HookHandle(), nullptr);
    EXPECT_EQ(THotKeyEx::HookTarget(), nullptr);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);

    // Destroyed while focused: the destructor removes the hook.
    SetFocus(box->Handle());
    EXPECT_NE(THotKeyEx::HookHandle(), nullptr);
    box->OnExit = nullptr;
    box.reset();
    EXPECT_EQ(THotKeyEx::HookHandle(), nullptr);
    EXPECT_EQ(THotKeyEx::HookTarget(), nullptr);

    // A later box installs a fresh hook.
    {
        THotKeyEx again(*top, "hkAgain", 10, 40, 121, 19);
        SetFocus(again.Handle());
        EXPECT_NE(THotKeyEx::HookHandle(), nullptr);
        EXPECT_EQ(THotKeyEx::HookTarget(), again.Handle());
    }
    // Gone, or the form would give it the focus back when it is reactivated below.

    // Destroyed with its window while focused: the hook goes with it, and
    // the box object ends quietly afterwards.
    BoxForm inner(L"goes first");
    THotKeyEx orphan(*inner, "hkOrphan", 10, 10, 121, 19);
    inner.Activate();
    SetFocus(orphan.Handle());
    ASSERT_EQ(THotKeyEx::HookTarget(), orphan.Handle());
    inner.DestroyWindow();
    EXPECT_EQ(orphan.Handle(), nullptr);
    EXPECT_EQ(THotKeyEx::HookHandle(), nullptr);
    EXPECT_EQ(THotKeyEx::HookTarget(), nullptr);
}

TEST(HotKeyBox, ErrorsOfItsHandlersReachTheErrorBoxAndTheBoxGoesOn) {
    test::TestApp();
    test::Recorded().Clear();
    BoxForm top(L"errors");
    THotKeyEx box(*top, "hk", 10, 10, 121, 19);
    box.SetHotKey(0x0053);
    box.OnChange = [] { throw Error("change failed"); };
    // A Windows key posted by the hook, then the platform's own change note to the parent.
    SendMessageW(box.Handle(), WM_HOTKEYEX_WINKEY, WM_KEYDOWN, 0);
    SendMessageW(top.Handle(), WM_COMMAND, MAKEWPARAM(100, EN_CHANGE), reinterpret_cast<LPARAM>(box.Handle()));
    EXPECT_EQ(test::Recorded().Errors, (std::vector<std::wstring>{L"change failed.", L"change failed."}));
    // The Win press was still taken: the combination starts anew.
    EXPECT_EQ(box.DisplayText(), "Win + ");
    box.OnChange = nullptr;
    SendMessageW(box.Handle(), WM_HOTKEYEX_WINKEY, WM_KEYUP, 0);
    EXPECT_EQ(box.DisplayText(), "无");
    test::Recorded().Clear();
}

// The colour of a pixel of the window's client area, as the screen shows it.
COLORREF ClientPixel(HWND hwnd, int x, int y) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    test::PumpFor(50);
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

TEST(HotKeyBox, PaintsItsTextOnWhiteOrOnButtonFaceWhenDisabled) {
    BoxForm top(L"painting");
    THotKeyEx box(*top, "hk", 10, 10, 121, 19);
    box.SetHotKey(0);
    top.Activate();
    // Past the text "无": the opaque text background fills the shrunk rectangle.
    EXPECT_EQ(ClientPixel(box.Handle(), 100, 3), RGB(255, 255, 255));
    box.SetEnabled(false);
    EXPECT_EQ(ClientPixel(box.Handle(), 100, 3), GetSysColor(COLOR_BTNFACE));
    // Some dark pixel of the text near the left edge.
    bool ink = false;
    HDC dc = GetDC(box.Handle());
    for (int x = 1; x < 14 && !ink; ++x)
        for (int y = 1; y < 14 && !ink; ++y) ink = GetPixel(dc, x, y) == RGB(0, 0, 0);
    ReleaseDC(box.Handle(), dc);
    EXPECT_TRUE(ink);
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    // A real keyboard's scan code: the platform control maps WM_CHAR back by it.
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LWIN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &in, sizeof in);
    test::PumpFor(60);
}

TEST(HotKeyBox, TypedWindowsKeyIsCapturedAndSwallowed) {
    BoxForm top(L"typed keys");
    THotKeyEx box(*top, "hk", 10, 10, 121, 19);
    box.SetInvalidKeys(hcNone);
    box.SetModifiers(0);
    box.SetHotKey(0);
    int changes = 0;
    box.OnChange = [&] { ++changes; };
    top.Activate();
    SetFocus(box.Handle());
    ASSERT_EQ(GetFocus(), box.Handle());

    Key(VK_LWIN, false);
    EXPECT_EQ(box.DisplayText(), "Win + ");
    Key('S', false);
    Key('S', true);
    Key(VK_LWIN, true);
    EXPECT_EQ(box.HotKey(), 0x1053);
    EXPECT_EQ(box.DisplayText(), "Win + S");
    EXPECT_GT(changes, 0);
    // The system never saw the Windows key go down.
    EXPECT_EQ(GetAsyncKeyState(VK_LWIN) & 0x8000, 0);

    // Win alone clears the combination; released, the box is empty.
    Key(VK_LWIN, false);
    EXPECT_EQ(box.DisplayText(), "Win + ");
    Key(VK_LWIN, true);
    EXPECT_EQ(box.DisplayText(), "无");
    EXPECT_EQ(box.HotKey(), 0);

    // Disallowed: swallowed, but the value stays.
    box.SetHotKey(0xC053);
    box.SetAllowWinKey(false);
    Key(VK_LWIN, false);
    Key(VK_LWIN, true);
    EXPECT_EQ(box.HotKey(), 0xC053);
    EXPECT_EQ(box.DisplayText(), "Ctrl + Alt + S");
}

}  // namespace
}  // namespace quorvex
