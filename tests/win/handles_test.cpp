// The owners of handles and paired calls end their pair when the code between
// the halves throws: EndPaint runs, the old object goes back into the DC, the
// child window goes, COM is uninitialised.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <stdexcept>

#include "base/error.h"
#include "hotkeys/hotkey_edit_win.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "toolkit/win_control.h"
#include "win/test_app.h"
#include "win/window_fixture_win.h"

namespace quorvex {
namespace {

// A window whose WM_PAINT runs the test's painter.
class PaintProbe {
public:
    PaintProbe() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QuorvexTestPaintProbe";
            return RegisterClassW(&wc);
        }();
        (void)atom;
        hwnd_ = CreateWindowExW(0, L"QuorvexTestPaintProbe", L"paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 200,
                                120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        UpdateWindow(hwnd_);
    }
    ~PaintProbe() {
        painter = nullptr;
        DestroyWindow(hwnd_);
    }
    HWND Handle() const { return hwnd_; }
    // Paints now (the whole client area); returns whether the painter ran.
    bool Repaint() {
        ran_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
        UpdateWindow(hwnd_);
        return ran_;
    }
    static inline std::function<void(HWND)> painter;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_PAINT && painter) {
            ran_ = true;
            painter(h);
            return 0;
        }
        return DefWindowProcW(h, msg, w, l);
    }
    static inline bool ran_ = false;
    HWND hwnd_;
};

// A DC that BeginPaint handed out comes back from the system's cache for the
// next GetDC of the same window only once EndPaint returned it; one still out
// gives another. Checked on the spot, the probe proves itself.
bool ReturnedToTheCache(HWND hwnd, HDC paintDc) {
    HDC next = GetDC(hwnd);
    ReleaseDC(hwnd, next);
    return next == paintDc;
}

TEST(PaintDc, EndPaintRunsWhenThePaintingThrows) {
    PaintProbe probe;
    HDC seen = nullptr;
    PAINTSTRUCT leaked{};
    // The probe: a pair ended by hand returns its DC, a pair left open does not.
    PaintProbe::painter = [&](HWND h) {
        PAINTSTRUCT ps;
        seen = BeginPaint(h, &ps);
        EndPaint(h, &ps);
    };
    ASSERT_TRUE(probe.Repaint());
    if (!ReturnedToTheCache(probe.Handle(), seen)) GTEST_SKIP() << "this system's DC cache does not show EndPaint";
    PaintProbe::painter = [&](HWND h) { seen = BeginPaint(h, &leaked); };
    ASSERT_TRUE(probe.Repaint());
    const bool openPairReturned = ReturnedToTheCache(probe.Handle(), seen);
    EndPaint(probe.Handle(), &leaked);
    if (openPairReturned) GTEST_SKIP() << "this system's DC cache does not show a missing EndPaint";

    int caught = 0;
    PaintProbe::painter = [&](HWND h) {
        try {
            const tk::PaintDc paint(h);
            ASSERT_TRUE(paint);
            seen = paint.get();
            RECT client{};
            GetClientRect(h, &client);
            EXPECT_TRUE(EqualRect(&paint.PaintRect(), &client));
            throw Error("painting failed");
        } catch (const Error&) {
            ++caught;
        }
    };
    ASSERT_TRUE(probe.Repaint());
    EXPECT_EQ(caught, 1);
    EXPECT_TRUE(ReturnedToTheCache(probe.Handle(), seen)) << "EndPaint did not run";
    // Validated: no second WM_PAINT is waiting.
    EXPECT_FALSE(GetUpdateRect(probe.Handle(), nullptr, FALSE));
}

TEST(PaintDc, TheHotKeyBoxEndsItsPaintWhenItsTextFails) {
    test::TestApp();
    test::Recorded().Clear();
    tk::FormParams p{L"QuorvexTestHotKeyForm", L"hot-key paint"};
    p.ClientWidth = 200;
    p.ClientHeight = 60;
    tk::Instance<tk::Form> top(p);
    top.Show();
    THotKeyEx box(top, "hk", 10, 10, 121, 19);
    const THotKeyTextFn saved = THotKeyEx::TextFunction;
    THotKeyEx::TextFunction = [](std::uint16_t, bool) -> std::string { throw Error("no text"); };
    InvalidateRect(box.Handle(), nullptr, FALSE);
    UpdateWindow(box.Handle());
    THotKeyEx::TextFunction = saved;
    ASSERT_EQ(test::Recorded().Errors, (std::vector<std::wstring>{L"no text."}));
    // The pair was ended: the box is validated and paints normally again.
    EXPECT_FALSE(GetUpdateRect(box.Handle(), nullptr, FALSE));
    InvalidateRect(box.Handle(), nullptr, FALSE);
    UpdateWindow(box.Handle());
    EXPECT_EQ(test::Recorded().Errors.size(), 1u);
    test::Recorded().Clear();
}

TEST(SelectObjectScope, TheOldObjectGoesBackWhenTheDrawingThrows) {
    tk::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    tk::UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    ASSERT_TRUE(font);
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
    try {
        const tk::SelectObjectScope select(dc.get(), font.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
        throw Error("drawing failed");
    } catch (const Error&) {
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before) << "the font is still selected";
}

TEST(ScopeExit, RunsWhenTheScopeThrowsAndNotOnceReleased) {
    int runs = 0;
    try {
        tk::ScopeExit count([&] { ++runs; });
        throw Error("body failed");
    } catch (const Error&) {
    }
    EXPECT_EQ(runs, 1);
    {
        tk::ScopeExit count([&] { ++runs; });
        count.release();
    }
    EXPECT_EQ(runs, 1);
}

TEST(UniqueHandle, PutOwnsWhatTheCallWritesAndClosesWhatWasHeld) {
    tk::UniqueKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    const HKEY first = key.get();
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_NE(key.get(), nullptr);
    if (key.get() != first) {  // the first one was closed by the second put()
        DWORD subkeys = 0;
        EXPECT_NE(RegQueryInfoKeyW(first, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    // A failed call leaves the owner empty.
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\QuorvexNoSuchKey\\x", 0, KEY_READ, key.put()),
              ERROR_SUCCESS);
    EXPECT_FALSE(key);
}

// A control whose own construction fails once the base has made its window.
class FailingButton : public tk::Button {
public:
    explicit FailingButton(tk::Form& parent) : tk::Button(parent, "btnFailing", L"x", 0, 0, 40, 20) {
        throw Error("control failed");
    }
};

HWND FirstChild(HWND parent) { return FindWindowExW(parent, nullptr, nullptr, nullptr); }

TEST(WinControlWindow, TheChildWindowGoesWhenTheConstructionThrows) {
    test::TestApp();
    tk::FormParams p{L"QuorvexTestForm", L"controls"};
    p.ClientWidth = 100;
    p.ClientHeight = 50;
    tk::Instance<tk::Form> form(p);
    EXPECT_THROW(form.Make<FailingButton>(), Error);
    EXPECT_EQ(FirstChild(form.Handle()), nullptr) << "the control's window was left behind";
    EXPECT_EQ(form.FindComponent("btnFailing"), nullptr);
    // The same owner in a part-made object: what was made before the throw goes.
    HWND made = nullptr;
    struct PartMade {
        tk::UniqueWindow child;
        PartMade(HWND parent, HWND& made) {
            child.reset(CreateWindowExW(0, L"BUTTON", L"y", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
            made = child.get();
            throw Error("later step failed");
        }
    };
    EXPECT_THROW(PartMade(form.Handle(), made), Error);
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(IsWindow(made));
    // A whole control still lives with its form.
    auto& ok = form.Make<tk::Button>("btnOk", L"ok", 0, 0, 40, 20);
    EXPECT_EQ(FirstChild(form.Handle()), ok.Handle());
}

struct ComRun {
    bool Initialised = false;
    HRESULT Again = E_FAIL;  // CoInitialize inside the scope
    HRESULT After = E_FAIL;  // and after it
};

DWORD WINAPI ComThread(void* data) {
    auto& run = *static_cast<ComRun*>(data);
    {
        const tk::ComScope com;
        run.Initialised = com.Initialised();
        run.Again = CoInitialize(nullptr);  // already: S_FALSE, to be balanced
        if (SUCCEEDED(run.Again)) CoUninitialize();
    }
    run.After = CoInitialize(nullptr);  // the scope released the thread's COM: S_OK again
    if (SUCCEEDED(run.After)) CoUninitialize();
    return 0;
}

TEST(ComScope, UninitialisesWhatItInitialised) {
    ComRun run;
    HANDLE thread = CreateThread(nullptr, 0, ComThread, &run, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_TRUE(run.Initialised);
    EXPECT_EQ(run.Again, S_FALSE);
    EXPECT_EQ(run.After, S_OK);
}

}  // namespace
}  // namespace quorvex
