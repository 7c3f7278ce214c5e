// Registration of the minimise/restore hot key: the exact system calls, and
// what the real system then holds.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "hotkeys/tray_hotkey_win.h"
#include "win/sequence_win.h"

namespace quorvex {
namespace {

std::string Hex(unsigned v) {
    std::ostringstream s;
    s << "0x" << std::hex << v;
    return s.str();
}

// Records every call; answers as configured.
class RecordingHotKeys final : public HotKeySystem {
public:
    ATOM AddAtom(const wchar_t* name) override {
        calls.push_back("AddAtom(" + std::string(name, name + wcslen(name)) + ")");
        return atom;
    }
    bool Register(HWND, int id, UINT modifiers, UINT virtualKey) override {
        calls.push_back("Register(" + Hex(id) + "," + Hex(modifiers) + "," + Hex(virtualKey) + ")");
        return accept;
    }
    bool Unregister(HWND, int id) override {
        calls.push_back("Unregister(" + Hex(id) + ")");
        return true;
    }
    std::vector<std::string> calls;
    ATOM atom = 0xC0DE;
    bool accept = true;
};

using Calls = test::Sequence;

TEST(TrayHotKeyRegistrar, CallsTheSystemWithAtomFlagsAndKey) {
    RecordingHotKeys sys;
    TrayHotKeyRegistrar reg(sys);
    HWND w = reinterpret_cast<HWND>(0x1234);

    reg.Unregister(w);                 // nothing registered yet: no call at all
    EXPECT_FALSE(reg.Register(w, 0));  // no hot key set: nothing happens
    EXPECT_SEQUENCE(sys.calls, Calls{}) << "no system call expected before a registration";
    EXPECT_EQ(reg.Id(), 0u);

    EXPECT_TRUE(reg.Register(w, 0x1053));  // Win+S
    reg.Unregister(w);
    sys.accept = false;                     // taken by someone else: reported only as false
    EXPECT_FALSE(reg.Register(w, 0xC053));  // Ctrl+Alt+S
    reg.Unregister(w);
    EXPECT_FALSE(reg.Register(w, 0));  // cleared in the dialog: the id stays
    EXPECT_EQ(reg.Id(), 0xC0DEu);
    reg.Unregister(w);

    const Calls expected = {
        "AddAtom(QuorvexExeHotKey)", "Register(0xc0de,0x8,0x53)", "Unregister(0xc0de)", "AddAtom(QuorvexExeHotKey)",
        "Register(0xc0de,0x3,0x53)", "Unregister(0xc0de)",        "Unregister(0xc0de)",
    };
    EXPECT_SEQUENCE(sys.calls, expected);
}

TEST(TrayHotKeyRegistrar, NoAtomMeansNoRegistration) {
    RecordingHotKeys sys;
    sys.atom = 0;
    TrayHotKeyRegistrar reg(sys);
    EXPECT_FALSE(reg.Register(nullptr, 0x1053));
    reg.Unregister(nullptr);
    EXPECT_SEQUENCE(sys.calls, Calls{"AddAtom(QuorvexExeHotKey)"});
}

class HotKeyWindow {
public:
    HotKeyWindow() {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    }
    ~HotKeyWindow() { DestroyWindow(window); }
    HWND window;
};

// Ctrl+Shift+Alt+F11: a combination nothing else in the session takes.
constexpr std::uint16_t TestValue = 0x4000 | 0x2000 | 0x8000 | VK_F11;
constexpr UINT TestFlags = MOD_CONTROL | MOD_SHIFT | MOD_ALT;

TEST(TrayHotKeyRegistrar, TheSystemHoldsTheCombinationUnderTheAtom) {
    HotKeyWindow bar, other;
    ASSERT_TRUE(bar.window && other.window);
    TrayHotKeyRegistrar reg;
    ASSERT_TRUE(reg.Register(bar.window, TestValue));
    EXPECT_EQ(reg.Id(), GlobalFindAtomW(L"QuorvexExeHotKey"));
    EXPECT_GE(reg.Id(), 0xC000u);
    EXPECT_LE(reg.Id(), 0xFFFFu);

    // Exactly this combination is taken now; a neighbour is not.
    EXPECT_FALSE(RegisterHotKey(other.window, 7, TestFlags, VK_F11));
    ASSERT_TRUE(RegisterHotKey(other.window, 8, TestFlags, VK_F12));
    UnregisterHotKey(other.window, 8);
    ASSERT_TRUE(RegisterHotKey(other.window, 9, MOD_CONTROL | MOD_ALT, VK_F11));
    UnregisterHotKey(other.window, 9);

    // Re-registration keeps the id; after unregistering the keys are free.
    const auto id = reg.Id();
    reg.Unregister(bar.window);
    EXPECT_TRUE(reg.Register(bar.window, TestValue));
    EXPECT_EQ(reg.Id(), id);
    reg.Unregister(bar.window);
    EXPECT_TRUE(RegisterHotKey(other.window, 7, TestFlags, VK_F11));
    UnregisterHotKey(other.window, 7);
}

TEST(TrayHotKeyRegistrar, APressArrivesAsWmHotKeyWithTheId) {
    HotKeyWindow bar;
    TrayHotKeyRegistrar reg;
    ASSERT_TRUE(reg.Register(bar.window, TestValue));
    SetForegroundWindow(bar.window);
    const WORD keys[] = {VK_CONTROL, VK_SHIFT, VK_MENU, VK_F11};
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (int n = 3; n >= 0; --n) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = keys[n];
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
    MSG msg{};
    bool got = false;
    const DWORD start = GetTickCount();
    while (!got && GetTickCount() - start < 3000) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_HOTKEY && msg.hwnd == bar.window) {
                got = true;
                EXPECT_EQ(msg.wParam, reg.Id());
                EXPECT_EQ(LOWORD(msg.lParam), TestFlags);
                EXPECT_EQ(HIWORD(msg.lParam), VK_F11);
            }
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    reg.Unregister(bar.window);
    EXPECT_TRUE(got) << "no WM_HOTKEY reached the registering window";
}

}  // namespace
}  // namespace quorvex
