// Hooks on a window's procedure: they stack, go in any order, go with the
// window, pass messages on exactly once, and report their errors.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "toolkit/window_subclass.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

using test::Recorded;

constexpr UINT Probe = WM_USER + 40;

// A window whose own procedure records what reaches it.
class BaseWindow {
public:
    BaseWindow() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QuorvexTestSubclassBase";
            return RegisterClassW(&wc);
        }();
        (void)atom;
        hwnd = CreateWindowExW(0, L"QuorvexTestSubclassBase", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    }
    ~BaseWindow() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    HWND hwnd = nullptr;
    std::vector<WPARAM> probes;  // the wParam of each Probe that reached the window's own procedure

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(h, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
        if (msg == Probe) {
            reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA))->probes.push_back(w);
            return 100 + static_cast<LRESULT>(w);
        }
        return DefWindowProcW(h, msg, w, l);
    }
};

class WindowSubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        Recorded().Clear();
    }
    LRESULT Send(WPARAM w) { return SendMessageW(base.hwnd, Probe, w, 0); }
    BaseWindow base;
};

// Records the probes it sees under a name; passes them on.
tk::WindowSubclass::Handler Recording(std::vector<std::string>& log, const char* name) {
    return [&log, name](tk::WindowSubclass&, tk::Message& m) {
        if (m.Msg == Probe) log.push_back(name);
        if (m.Msg == WM_NCDESTROY) log.push_back(std::string(name) + " gone");
        return false;
    };
}

TEST_F(WindowSubclassTest, HooksStackAndEachGoesWithItsObjectInAnyOrder) {
    std::vector<std::string> log;
    auto first = std::make_unique<tk::WindowSubclass>(base.hwnd, Recording(log, "first"));
    auto second = std::make_unique<tk::WindowSubclass>(base.hwnd, Recording(log, "second"));
    EXPECT_EQ(Send(1), 101);
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));  // newest first, then the window's own
    // The older hook goes first: the newer one and the window go on.
    first.reset();
    log.clear();
    EXPECT_EQ(Send(2), 102);
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));
    second.reset();
    log.clear();
    EXPECT_EQ(Send(3), 103);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(base.probes, (std::vector<WPARAM>{1, 2, 3}));
}

TEST_F(WindowSubclassTest, AHookGoesWithItsWindowAndOutlivesItSafely) {
    std::vector<std::string> log;
    tk::WindowSubclass hook(base.hwnd, Recording(log, "hook"));
    EXPECT_EQ(hook.Window(), base.hwnd);
    DestroyWindow(base.hwnd);
    EXPECT_EQ(log, (std::vector<std::string>{"hook gone"}));  // the last message, seen once
    EXPECT_EQ(hook.Window(), nullptr);
    // A new window may take the old handle value; the hook must not touch it.
    BaseWindow other;
    SendMessageW(other.hwnd, Probe, 7, 0);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(WindowSubclassTest, MessagesGoOnOnceWithTheParametersTheHandlerLeft) {
    int handled = 0;
    tk::WindowSubclass hook(base.hwnd, [&](tk::WindowSubclass& self, tk::Message& m) {
        if (m.Msg != Probe) return false;
        switch (m.WParam) {
        case 1:  // processed first, then not passed on again
            self.Default(m);
            m.Result += 1000;
            return false;
        case 2:  // answered here
            ++handled;
            m.Result = 5;
            return true;
        case 3:  // changed on its way
            m.WParam = 4;
            return false;
        default:
            return false;
        }
    });
    EXPECT_EQ(Send(1), 1101);
    EXPECT_EQ(Send(2), 5);
    EXPECT_EQ(Send(3), 104);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(base.probes, (std::vector<WPARAM>{1, 4}));
}

TEST_F(WindowSubclassTest, ErrorsReachTheErrorBoxAndTheWindowStillGetsTheMessage) {
    tk::WindowSubclass hook(base.hwnd, [](tk::WindowSubclass& self, tk::Message& m) -> bool {
        if (m.Msg != Probe) return false;
        if (m.WParam == 2) self.Default(m);
        throw Error("hook failed");
    });
    EXPECT_EQ(Send(1), 101);
    EXPECT_EQ(Send(2), 102);
    EXPECT_EQ(base.probes, (std::vector<WPARAM>{1, 2}));  // once each, also after Default
    EXPECT_EQ(Recorded().Errors, (std::vector<std::wstring>{L"hook failed.", L"hook failed."}));
    EXPECT_THROW(tk::WindowSubclass(nullptr, nullptr), Error);
}

}  // namespace
}  // namespace quorvex
