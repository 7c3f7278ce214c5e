// The other windows disabled around a modal form or a message box: one rule
// for both, undone also when the modal part fails.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "toolkit/application.h"
#include "toolkit/disabled_windows.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

HWND TopLevel(bool visible) {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

struct Windows {
    HWND keep = TopLevel(true);
    HWND shown = TopLevel(true);
    HWND hidden = TopLevel(false);
    HWND disabledBefore = TopLevel(true);
    Windows() { EnableWindow(disabledBefore, FALSE); }
    ~Windows() {
        for (HWND h : {keep, shown, hidden, disabledBefore}) DestroyWindow(h);
    }
    bool Enabled(HWND h) const { return IsWindowEnabled(h) != FALSE; }
};

TEST(DisabledWindows, OnlyTheShownEnabledOthersAreDisabledAndOnlyTheyComeBack) {
    test::TestApp();
    Windows w;
    {
        tk::DisabledWindows scope(w.keep);
        EXPECT_TRUE(w.Enabled(w.keep));
        EXPECT_FALSE(w.Enabled(w.shown));
        EXPECT_TRUE(w.Enabled(w.hidden));
        EXPECT_FALSE(w.Enabled(w.disabledBefore));
    }
    EXPECT_TRUE(w.Enabled(w.shown));
    EXPECT_TRUE(w.Enabled(w.hidden));
    EXPECT_FALSE(w.Enabled(w.disabledBefore)) << "a window disabled by someone else was enabled";
}

TEST(DisabledWindows, AFailingMessageBoxLeavesTheWindowsEnabled) {
    tk::Application& app = test::TestApp();
    Windows w;
    SetActiveWindow(w.keep);
    bool shownDisabledDuring = false;
    auto previous = app.SetMessageBoxHook([&](HWND, const std::wstring&, const std::wstring&, UINT) -> int {
        shownDisabledDuring = !w.Enabled(w.shown);
        throw std::runtime_error("no box");
    });
    EXPECT_THROW(app.MessageBox(L"?", L"Lumetra", MB_OK), std::runtime_error);
    app.SetMessageBoxHook(previous);
    EXPECT_TRUE(shownDisabledDuring);
    EXPECT_TRUE(w.Enabled(w.shown));
    EXPECT_FALSE(w.Enabled(w.disabledBefore));
}

}  // namespace
}  // namespace quorvex
