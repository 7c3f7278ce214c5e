// The toolkit's window binding, dispatch and error boundary, menus, pictures
// and windowless buttons, checked through real windows and messages.
#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/picture.h"
#include "toolkit/popup_menu.h"
#include "toolkit/speed_button.h"
#include "toolkit/win_control.h"
#include "win/menu_items_win.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

using test::Recorded;
using test::TestApp;

// A window that records every message it sees.
class RecordingWindow : public tk::Window {
public:
    std::vector<UINT> Seen;
    bool DestroyedCalled = false;
    bool ThrowOnUser = false;
    HWND HandleInDestroyed = nullptr;

    void Create() {
        tk::RegisterWindowClass({L"QuorvexTestRecording"});
        tk::CreateParams p{L"QuorvexTestRecording", L"rec"};
        p.Style = WS_OVERLAPPEDWINDOW;
        p.Width = 200;
        p.Height = 100;
        CreateHandle(p);
    }
    void Kill() { DestroyHandle(); }

protected:
    void WndProc(tk::Message& m) override {
        Seen.push_back(m.Msg);
        if (m.Msg == WM_USER && ThrowOnUser) throw Error("Handler failed");
        if (m.Msg == WM_USER + 1) throw std::runtime_error("plain failure.");
        if (m.Msg == WM_USER + 2) {
            m.Result = 42;
            return;
        }
        DefaultHandler(m);
    }
    void Destroyed() override {
        DestroyedCalled = true;
        HandleInDestroyed = Handle();
    }
};

std::string Names(const std::vector<UINT>& msgs, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < msgs.size() && i < n; ++i) s += std::to_string(msgs[i]) + " ";
    return s;
}

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        Recorded().Clear();
    }
};

TEST_F(ToolkitTest, BindingStartsAtNcCreateAndEndsAtNcDestroy) {
    tk::Instance<RecordingWindow> w;
    w.Create();
    ASSERT_NE(w.Handle(), nullptr);
    // An overlapped window gets WM_GETMINMAXINFO before WM_NCCREATE: that one
    // went to DefWindowProc, so the object's first message is WM_NCCREATE.
    ASSERT_FALSE(w.Seen.empty());
    EXPECT_EQ(w.Seen[0], static_cast<UINT>(WM_NCCREATE)) << "seen: " << Names(w.Seen, 6);
    EXPECT_EQ(tk::Window::FromHandle(w.Handle()), &w);
    const HWND h = w.Handle();
    w.Seen.clear();
    w.Kill();
    ASSERT_FALSE(w.Seen.empty());
    EXPECT_EQ(w.Seen.back(), static_cast<UINT>(WM_NCDESTROY)) << "seen: " << Names(w.Seen, 10);
    EXPECT_TRUE(w.DestroyedCalled);
    EXPECT_EQ(w.HandleInDestroyed, h);  // still bound while Destroyed() runs
    EXPECT_EQ(w.Handle(), nullptr);     // unbound afterwards
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(tk::Window::FromHandle(h), nullptr);
}

TEST_F(ToolkitTest, ForeignWindowsAreNotBound) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(tk::Window::FromHandle(edit), nullptr);
    DestroyWindow(edit);
}

TEST_F(ToolkitTest, ExceptionsInHandlersAreReportedAndTheWindowGoesOn) {
    tk::Instance<RecordingWindow> w;
    w.Create();
    w.ThrowOnUser = true;
    EXPECT_EQ(SendMessageW(w.Handle(), WM_USER, 0, 0), 0);
    EXPECT_EQ(SendMessageW(w.Handle(), WM_USER + 1, 0, 0), 0);
    ASSERT_EQ(Recorded().Errors.size(), 2u);
    EXPECT_EQ(Recorded().Errors[0], L"Handler failed.");
    EXPECT_EQ(Recorded().Errors[1], L"plain failure.");
    // Still alive and answering.
    EXPECT_EQ(SendMessageW(w.Handle(), WM_USER + 2, 0, 0), 42);
    w.Kill();
}

TEST_F(ToolkitTest, DispatchTableRunsNewestFirstAndFallsThrough) {
    tk::Instance<RecordingWindow> w;
    w.Create();
    std::vector<int> order;
    w.AddHandler(WM_USER + 5, [&](tk::Message&) {
        order.push_back(1);
        return false;
    });
    const int second = w.AddHandler(WM_USER + 5, [&](tk::Message& m) {
        order.push_back(2);
        m.Result = 7;
        return true;
    });
    EXPECT_EQ(SendMessageW(w.Handle(), WM_USER + 5, 0, 0), 7);
    EXPECT_EQ(order, (std::vector<int>{2}));
    w.RemoveHandler(second);
    order.clear();
    w.Seen.clear();
    SendMessageW(w.Handle(), WM_USER + 5, 0, 0);
    EXPECT_EQ(order, (std::vector<int>{1}));
    EXPECT_EQ(w.Seen, (std::vector<UINT>{WM_USER + 5}));  // fell through to the class
    // A throwing table handler is reported like any other.
    w.AddHandler(WM_USER + 6, [](tk::Message&) -> bool { throw Error("from the table"); });
    SendMessageW(w.Handle(), WM_USER + 6, 0, 0);
    ASSERT_EQ(Recorded().Errors.size(), 1u);
    EXPECT_EQ(Recorded().Errors[0], L"from the table.");
    w.Kill();
}

TEST_F(ToolkitTest, ErrorBoxTextGetsAFullStopAfterLettersOnly) {
    EXPECT_EQ(tk::ErrorBoxText(L"Cannot create shell notification icon"), L"Cannot create shell notification icon.");
    EXPECT_EQ(tk::ErrorBoxText(L"done."), L"done.");
    EXPECT_EQ(tk::ErrorBoxText(L"what!"), L"what!");  // '!' sorts before '.'
    EXPECT_EQ(tk::ErrorBoxText(L"x-"), L"x-");        // '-' too
    EXPECT_EQ(tk::ErrorBoxText(L"a/"), L"a/.");       // '/' after it
    EXPECT_EQ(tk::ErrorBoxText(L"数据错误"), L"数据错误.");
    EXPECT_EQ(tk::ErrorBoxText(L""), L"");
}

TEST_F(ToolkitTest, ErrorBoxUsesTheTitleAndTheErrorIcon) {
    // Without a sink the error box goes through the message-box service.
    auto previous = TestApp().SetErrorSink(nullptr);
    TestApp().ShowError(L"Disk full");
    TestApp().SetErrorSink(previous);
    ASSERT_EQ(Recorded().Boxes.size(), 1u);
    EXPECT_EQ(Recorded().Boxes[0].Text, L"Disk full.");
    EXPECT_EQ(Recorded().Boxes[0].Caption, L"Lumetra");
    EXPECT_EQ(Recorded().Boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(ToolkitTest, MessageBoxDisablesTheOtherWindowsWhileOpen) {
    tk::FormParams p{L"QuorvexTestForm", L"a"};
    p.ClientWidth = 100;
    p.ClientHeight = 50;
    tk::Instance<tk::Form> first(p);
    tk::Instance<tk::Form> second(p);
    first.Show();
    second.Show();
    SetActiveWindow(first.Handle());
    bool secondEnabledDuring = true;
    auto hook = TestApp().SetMessageBoxHook([&](HWND owner, const std::wstring&, const std::wstring&, UINT) {
        secondEnabledDuring = IsWindowEnabled(second.Handle()) != FALSE;
        EXPECT_EQ(owner, first.Handle());
        return IDNO;
    });
    EXPECT_EQ(TestApp().MessageBox(L"?", L"Lumetra", MB_YESNO), IDNO);
    TestApp().SetMessageBoxHook(hook);
    EXPECT_FALSE(secondEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(second.Handle()));
    EXPECT_TRUE(IsWindowEnabled(first.Handle()));
}

// ---- popup menus

using Def = tk::MenuItemDef;
const Def Items[] = {
    Def::Radio("miA", "甲(&A)").Tag(1).Group(1).AutoCheck(),
    Def::Radio("miB", "乙").Tag(2).Group(1).AutoCheck().Checked(),
    Def::Plain("miP", "plain").Tag(4).Group(1),
    Def::Separator("miSep"),
    Def::Check("miC", "check").AutoCheck(),
    Def::Plain("miD", "default").Default(),
};

TEST_F(ToolkitTest, MenusAreBuiltFromTheirTables) {
    tk::PopupMenu menu(nullptr, "pmnu", Items);
    HMENU h = menu.BuildMenu();
    const std::vector<test::MenuItemShown> shown = test::MenuItemsOf(h);
    DestroyMenu(h);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].Text, L"甲(&A)");  // captions as given
    EXPECT_TRUE(shown[0].Type & MFT_RADIOCHECK);
    EXPECT_FALSE(shown[0].State & MFS_CHECKED);
    EXPECT_EQ(shown[1].Text, L"乙");
    EXPECT_TRUE(shown[1].State & MFS_CHECKED);
    EXPECT_FALSE(shown[2].Type & MFT_RADIOCHECK);
    EXPECT_TRUE(shown[3].Type & MFT_SEPARATOR);
    EXPECT_TRUE(shown[5].State & MFS_DEFAULT);
    EXPECT_EQ(menu.Item(0).Tag(), 1);
    EXPECT_EQ(menu.FindItem("miD"), &menu.Item(5));
    EXPECT_EQ(menu.FindItem("nope"), nullptr);
    EXPECT_THROW(menu.Item(6), RangeError);
}

TEST_F(ToolkitTest, AutomaticChecksFollowKindAndGroup) {
    tk::PopupMenu menu(nullptr, "pmnu", Items);
    tk::MenuItem& a = menu.Item(0);
    tk::MenuItem& b = menu.Item(1);
    tk::MenuItem& plain = menu.Item(2);
    tk::MenuItem& check = menu.Item(4);
    int clicks = 0;
    for (std::size_t i = 0; i < menu.Count(); ++i) menu.Item(i).OnClick = [&](tk::MenuItem&) { ++clicks; };
    a.Click();
    EXPECT_TRUE(a.Checked());
    EXPECT_FALSE(b.Checked());
    plain.SetChecked(true);  // not a radio item: its siblings keep their marks
    EXPECT_TRUE(a.Checked());
    plain.Click();
    EXPECT_TRUE(plain.Checked());  // no automatic mark: unchanged
    b.Click();
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    EXPECT_TRUE(plain.Checked());  // radio changes leave non-radio items alone
    check.Click();
    EXPECT_TRUE(check.Checked());
    check.Click();
    EXPECT_FALSE(check.Checked());
    EXPECT_EQ(clicks, 5);
}

TEST_F(ToolkitTest, PopupRunsTheChosenItemAfterTheMenuCloses) {
    tk::FormParams p{L"QuorvexTestForm", L"m"};
    p.ClientWidth = 100;
    p.ClientHeight = 50;
    tk::Instance<tk::Form> form(p);
    form.Show();
    tk::PopupMenu menu(&form, "pmnu", Items);
    menu.SetOwnerWindow(form.Handle());
    EXPECT_EQ(form.FindComponent("miC"), &menu.Item(4));
    tk::MenuItem* clicked = nullptr;
    menu.Item(4).OnClick = [&](tk::MenuItem& item) { clicked = &item; };
    // Choose "check" with the keyboard once the menu is up: Down, one key a
    // tick, until it is highlighted (a key sent while the menu is still
    // starting may be lost; an extra one only goes round again), then Enter.
    SetTimer(form.Handle(), 1, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        HWND m = FindWindowW(L"#32768", nullptr);
        if (!m || !IsWindowVisible(m)) return;
        auto shown = reinterpret_cast<HMENU>(SendMessageW(m, MN_GETHMENU, 0, 0));
        if (shown && (GetMenuState(shown, 4, MF_BYPOSITION) & MF_HILITE)) {
            KillTimer(hwnd, id);
            PostMessageW(m, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            PostMessageW(m, WM_KEYDOWN, VK_DOWN, 0);
        }
    });
    // Never left open, whatever went wrong.
    SetTimer(form.Handle(), 2, 5000, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        EndMenu();
    });
    tk::MenuItem* result = menu.Popup(10, 10);
    KillTimer(form.Handle(), 1);
    KillTimer(form.Handle(), 2);
    EXPECT_EQ(result, &menu.Item(4));
    EXPECT_EQ(clicked, &menu.Item(4));
    EXPECT_TRUE(menu.Item(4).Checked());
}

// ---- pictures

HMODULE ProgramModule() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    p = p.substr(0, p.find_last_of(L"\\/") + 1) + L"Quorvex.exe";
    return LoadLibraryExW(p.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

TEST_F(ToolkitTest, SkinJpegsDecodeFromTheProgramsResources) {
    HMODULE exe = ProgramModule();
    ASSERT_NE(exe, nullptr) << "Quorvex.exe next to the test program";
    struct {
        int id, w, h;
    } pieces[] = {{101, 22, 55}, {102, 754, 55}, {103, 24, 55}};
    for (const auto& piece : pieces) {
        tk::Picture p = tk::Picture::FromJpegResource(exe, piece.id);
        EXPECT_EQ(p.Width(), piece.w) << piece.id;
        EXPECT_EQ(p.Height(), piece.h) << piece.id;
        // Decoded pixels: not all one colour (a failed decode leaves black).
        const COLORREF first = p.PixelAt(0, 0);
        bool varies = false;
        for (int y = 0; y < p.Height() && !varies; ++y)
            for (int x = 0; x < p.Width(); ++x)
                if (p.PixelAt(x, y) != first) {
                    varies = true;
                    break;
                }
        EXPECT_TRUE(varies) << piece.id;
    }
    // The 32-bit forum glyph and a 24-bit glyph read the same way; magenta
    // is their key colour.
    for (int id : {130, 135}) {
        tk::Picture g = tk::Picture::FromBitmapResource(exe, id);
        EXPECT_EQ(g.Width(), 16);
        EXPECT_EQ(g.PixelAt(0, 15), RGB(255, 0, 255)) << id;
        g.MakeBottomLeftTransparent();
        EXPECT_EQ(g.Bits()[(15 * 16) * 4 + 3], 0) << id;  // key colour transparent
    }
    FreeLibrary(exe);
}

TEST_F(ToolkitTest, BitmapResourcesReadDirectlyMatchTheSystemsReading) {
    HMODULE exe = ProgramModule();
    ASSERT_NE(exe, nullptr) << "Quorvex.exe next to the test program";
    int compared = 0;
    for (int id :
         {110, 120, 121, 122, 123, 124, 125, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143}) {
        HANDLE h = LoadImageW(exe, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(h, nullptr) << id;
        tk::Picture bySystem = tk::Picture::FromBitmap(static_cast<HBITMAP>(h));
        DeleteObject(h);
        tk::Picture direct = tk::Picture::FromBitmapResource(exe, id);
        ASSERT_EQ(direct.Width(), bySystem.Width()) << id;
        ASSERT_EQ(direct.Height(), bySystem.Height()) << id;
        const std::size_t n = static_cast<std::size_t>(direct.Width()) * static_cast<std::size_t>(direct.Height()) * 4;
        EXPECT_EQ(std::memcmp(direct.Bits(), bySystem.Bits(), n), 0) << id;
        ++compared;
    }
    EXPECT_EQ(compared, 21);
    EXPECT_THROW(tk::Picture::FromBitmapResource(exe, 999), Error);
    FreeLibrary(exe);
}

TEST_F(ToolkitTest, BrokenJpegIsAnError) {
    const unsigned char junk[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1};
    EXPECT_THROW(tk::Picture::FromJpeg(junk, sizeof junk), Error);
    EXPECT_THROW(tk::Picture::FromJpeg("not a jpeg", 10), Error);
    EXPECT_THROW(tk::Picture::FromJpeg(nullptr, 0), Error);
}

// 16x16, left half RGB(200,40,40), right half RGB(40,80,200); baseline with
// 2x2 chroma subsampling, so the decoder upsamples.
const char BaselineSubsampledJpeg[] =
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00\x43"
    "\x00\x08\x06\x06\x07\x06\x05\x08\x07\x07\x07\x09\x09\x08\x0A\x0C\x14\x0D\x0C\x0B\x0B\x0C\x19\x12"
    "\x13\x0F\x14\x1D\x1A\x1F\x1E\x1D\x1A\x1C\x1C\x20\x24\x2E\x27\x20\x22\x2C\x23\x1C\x1C\x28\x37\x29"
    "\x2C\x30\x31\x34\x34\x34\x1F\x27\x39\x3D\x38\x32\x3C\x2E\x33\x34\x32\xFF\xDB\x00\x43\x01\x09\x09"
    "\x09\x0C\x0B\x0C\x18\x0D\x0D\x18\x32\x21\x1C\x21\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32"
    "\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32"
    "\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\x32\xFF\xC0\x00\x11\x08\x00\x10\x00\x10\x03"
    "\x01\x22\x00\x02\x11\x01\x03\x11\x01\xFF\xC4\x00\x15\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x03\x06\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\xFF\xC4\x00\x14\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x05\xFF\xC4\x00\x19\x11\x00\x02\x03\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x06\x43\x82\xC1\xC2\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00\x97\x09\x82"
    "\x49\x66\x5A\xE8\xB3\x64\x36\xE4\xFF\xD9";

// 8x8 progressive (ten scans) of one colour.
const char ProgressiveJpeg[] =
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00\x43"
    "\x00\x10\x0B\x0C\x0E\x0C\x0A\x10\x0E\x0D\x0E\x12\x11\x10\x13\x18\x28\x1A\x18\x16\x16\x18\x31\x23"
    "\x25\x1D\x28\x3A\x33\x3D\x3C\x39\x33\x38\x37\x40\x48\x5C\x4E\x40\x44\x57\x45\x37\x38\x50\x6D\x51"
    "\x57\x5F\x62\x67\x68\x67\x3E\x4D\x71\x79\x70\x64\x78\x5C\x65\x67\x63\xFF\xDB\x00\x43\x01\x11\x12"
    "\x12\x18\x15\x18\x2F\x1A\x1A\x2F\x63\x42\x38\x42\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\xFF\xC2\x00\x11\x08\x00\x08\x00\x08\x03"
    "\x01\x11\x00\x02\x11\x01\x03\x11\x01\xFF\xC4\x00\x14\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x04\xFF\xC4\x00\x15\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x03\x05\xFF\xDA\x00\x0C\x03\x01\x00\x02\x10\x03\x10\x00\x00\x01\x1D\x00\xFF\xC4"
    "\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08"
    "\x01\x01\x00\x01\x05\x02\x7F\xFF\xC4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x03\x01\x01\x3F\x01\x7F\xFF\xC4\x00\x14\x11\x01\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x02\x01\x01\x3F\x01"
    "\x7F\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF"
    "\xDA\x00\x08\x01\x01\x00\x06\x3F\x02\x7F\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x21\x7F\xFF\xDA\x00\x0C\x03"
    "\x01\x00\x02\x00\x03\x00\x00\x00\x10\x9F\xFF\xC4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x03\x01\x01\x3F\x10\x7F\xFF\xC4\x00\x14\x11"
    "\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x02\x01"
    "\x01\x3F\x10\x7F\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x10\x7F\xFF\xD9";

bool Near(int a, int b) { return a - b <= 16 && b - a <= 16; }

TEST_F(ToolkitTest, SubsampledBaselineJpegDecodesToItsColours) {
    tk::Picture p = tk::Picture::FromJpeg(BaselineSubsampledJpeg, sizeof BaselineSubsampledJpeg - 1);
    ASSERT_EQ(p.Width(), 16);
    ASSERT_EQ(p.Height(), 16);
    for (int y : {1, 8, 14}) {
        const COLORREF left = p.PixelAt(3, y), right = p.PixelAt(12, y);
        EXPECT_TRUE(Near(GetRValue(left), 200) && Near(GetGValue(left), 40) && Near(GetBValue(left), 40))
            << std::hex << left << " at y " << std::dec << y;
        EXPECT_TRUE(Near(GetRValue(right), 40) && Near(GetGValue(right), 80) && Near(GetBValue(right), 200))
            << std::hex << right << " at y " << std::dec << y;
    }
}

// The picture of BaselineSubsampledJpeg, losslessly recoded with arithmetic
// coding: the same markers up to the frame header, then these.
const char ArithmeticJpegFromFrame[] =
    "\xFF\xC9\x00\x11\x08\x00\x10\x00\x10\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xFF\xCC\x00\x0A\x00"
    "\x10\x10\x05\x01\x10\x11\x05\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00\xFF\x00\x66"
    "\x21\x1D\xA1\xBF\xE2\xB0\x73\x71\x7D\x80\x5A\x4C\x67\x56\x74\xEC\xA9\x20\xFF\xD9";

// The release build's decoder is trimmed to single-scan Huffman pictures; a
// full one (a packaged libjpeg-turbo) reads progressive and arithmetic-coded
// files too. Either way such a file decodes to its true colours or is refused
// with a JPEG error, never half-read, and the decoder stays usable.
TEST_F(ToolkitTest, ProgressiveAndArithmeticJpegsDecodeOrAreRefusedCleanly) {
    const std::string baseline(BaselineSubsampledJpeg, sizeof BaselineSubsampledJpeg - 1);
    const auto frame = baseline.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    const std::string arithmetic =
        baseline.substr(0, frame) + std::string(ArithmeticJpegFromFrame, sizeof ArithmeticJpegFromFrame - 1);
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    const struct {
        const char* name;
        std::string file;
        int size;
        std::vector<Probe> probes;
    } files[] = {
        {"progressive",
         std::string(ProgressiveJpeg, sizeof ProgressiveJpeg - 1),
         8,
         {{0, 0, RGB(40, 80, 202)}, {7, 7, RGB(40, 80, 202)}}},
        {"arithmetic",
         arithmetic,
         16,
         {{3, 1, RGB(200, 40, 40)}, {12, 8, RGB(40, 80, 200)}, {3, 14, RGB(200, 40, 40)}}},
    };
    for (const auto& f : files) {
        try {
            tk::Picture p = tk::Picture::FromJpeg(f.file.data(), f.file.size());
            ASSERT_EQ(p.Width(), f.size) << f.name;
            ASSERT_EQ(p.Height(), f.size) << f.name;
            for (const Probe& probe : f.probes) {
                const COLORREF c = p.PixelAt(probe.x, probe.y), want = probe.colour;
                EXPECT_TRUE(Near(GetRValue(c), GetRValue(want)) && Near(GetGValue(c), GetGValue(want)) &&
                            Near(GetBValue(c), GetBValue(want)))
                    << f.name << " " << std::hex << c << " at " << std::dec << probe.x << "," << probe.y;
            }
        } catch (const Error& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("JPEG error: ", 0), 0u) << f.name << ": " << what;
            EXPECT_GT(what.size(), std::strlen("JPEG error: ")) << f.name;
        }
    }
    EXPECT_EQ(tk::Picture::FromJpeg(baseline.data(), baseline.size()).Width(), 16);
}

TEST_F(ToolkitTest, TransparencyClearsOnlyTheKeyColour) {
    tk::Picture p = tk::Picture::Blank(2, 1);
    std::uint8_t* px = p.Bits();
    px[0] = 255, px[1] = 0, px[2] = 255;  // magenta (B, G, R)
    px[4] = 10, px[5] = 20, px[6] = 30;
    p.MakeTransparent(RGB(255, 0, 255));
    EXPECT_EQ(px[3], 0);
    EXPECT_EQ(px[7], 255);
    EXPECT_EQ(p.PixelAt(1, 0), RGB(30, 20, 10));
    EXPECT_THROW(p.PixelAt(2, 0), RangeError);
    EXPECT_THROW(p.PixelAt(-1, 0), RangeError);
}

// ---- windowless buttons

class ButtonForm : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        tk::FormParams p{L"QuorvexTestForm", L"b"};
        p.ClientWidth = 200;
        p.ClientHeight = 60;
        form = tk::MakeInstance<tk::Form>(p);
        button = &form->Make<tk::SpeedButton>("btnX", 10, 10, 55, 22);
        button->OnClick = [this](tk::GraphicControl&) { ++clicks; };
        button->OnMouseDown = [this](tk::GraphicControl&, tk::MouseButton, tk::ShiftState, int, int) { ++downs; };
        button->OnMouseUp = [this](tk::GraphicControl&, tk::MouseButton, tk::ShiftState, int, int) { ++ups; };
        // The form stays hidden: the mouse messages are sent to it directly.
    }
    void Send(UINT msg, int x, int y, WPARAM keys = 0) { SendMessageW(form->Handle(), msg, keys, MAKELPARAM(x, y)); }
    std::unique_ptr<tk::Form> form;
    tk::SpeedButton* button = nullptr;
    int clicks = 0, downs = 0, ups = 0;
};

TEST_F(ButtonForm, HotPressedAndReleasedInside) {
    using S = tk::SpeedButton::State;
    EXPECT_EQ(button->GetState(), S::Up);
    Send(WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(button->GetState(), S::Hot);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(button->GetState(), S::Down);
    EXPECT_EQ(GetCapture(), form->Handle());  // captured for the button
    Send(WM_MOUSEMOVE, 150, 50, MK_LBUTTON);  // dragged off: shown up
    EXPECT_EQ(button->GetState(), S::Up);
    Send(WM_MOUSEMOVE, 30, 20, MK_LBUTTON);  // and back: down again
    EXPECT_EQ(button->GetState(), S::Down);
    Send(WM_LBUTTONUP, 30, 20);
    EXPECT_EQ(button->GetState(), S::Hot);
    EXPECT_NE(GetCapture(), form->Handle());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    Send(WM_MOUSEMOVE, 150, 50);
    EXPECT_EQ(button->GetState(), S::Up);
}

TEST_F(ButtonForm, ReleaseOutsideDoesNotClick) {
    Send(WM_MOUSEMOVE, 20, 20);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 150, 50, MK_LBUTTON);
    Send(WM_LBUTTONUP, 150, 50);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(button->GetState(), tk::SpeedButton::State::Up);
}

TEST_F(ButtonForm, HiddenAndDisabledButtonsTakeNoMouseButCanBeClickedInCode) {
    button->SetVisible(false);
    Send(WM_MOUSEMOVE, 20, 20);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(clicks, 0);
    button->Click();
    EXPECT_EQ(clicks, 1);
    button->SetVisible(true);
    button->SetEnabled(false);
    EXPECT_EQ(button->GetState(), tk::SpeedButton::State::Disabled);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 0);
}

// Pixels of exactly `color` after the button paints itself over a dark
// surface (like the bar's skin) in the state it is in now.
int CaptionPixels(tk::SpeedButton& b, COLORREF color) {
    constexpr int W = 80, H = 40;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = -H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, W, H};
    HBRUSH dark = CreateSolidBrush(RGB(37, 38, 43));
    FillRect(dc, &all, dark);
    DeleteObject(dark);
    SetBkMode(dc, TRANSPARENT);
    b.Paint(dc);
    GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    const DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int n = 0;
    for (int i = 0; i < W * H; ++i) n += (px[i] & 0xFFFFFF) == want;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return n;
}

TEST_F(ButtonForm, CaptionColourFollowsTheSystemUntilSetAndDisabledStaysGrey) {
    const COLORREF light = RGB(236, 230, 216);
    EXPECT_EQ(button->CaptionColor(), GetSysColor(COLOR_BTNTEXT));
    button->SetCaption(L"WWW");
    EXPECT_GT(CaptionPixels(*button, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_EQ(CaptionPixels(*button, light), 0);

    button->SetCaptionColor(light);
    EXPECT_EQ(button->CaptionColor(), light);
    // Up, hot and pressed faces all draw the caption in the chosen colour.
    const int up = CaptionPixels(*button, light);
    EXPECT_GT(up, 0);
    Send(WM_MOUSEMOVE, 20, 20);
    ASSERT_EQ(button->GetState(), tk::SpeedButton::State::Hot);
    EXPECT_EQ(CaptionPixels(*button, light), up);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    ASSERT_EQ(button->GetState(), tk::SpeedButton::State::Down);
    EXPECT_EQ(CaptionPixels(*button, light), up);  // shifted by a pixel, same strokes
    Send(WM_LBUTTONUP, 150, 50);

    button->SetEnabled(false);
    EXPECT_EQ(CaptionPixels(*button, light), 0);
    EXPECT_GT(CaptionPixels(*button, GetSysColor(COLOR_GRAYTEXT)), 0);
    button->SetEnabled(true);

    button->ResetCaptionColor();
    EXPECT_EQ(button->CaptionColor(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(CaptionPixels(*button, light), 0);
}

// The form's tool tip window, if it has made one.
HWND ToolTipOf(HWND form) {
    struct Find {
        HWND form, tip;
    } f{form, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            if (_wcsicmp(cls, L"tooltips_class32") == 0 && GetWindow(h, GW_OWNER) == f->form) {
                f->tip = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.tip;
}

TEST_F(ButtonForm, ToolTipIsMadeWhenThePointerFirstComesWithEveryHintSetBefore) {
    auto& other = form->Make<tk::SpeedButton>("btnY", 70, 10, 55, 22);
    button->SetHint(L"first");
    other.SetHint(L"second");
    form->Make<tk::SpeedButton>("btnNoHint", 130, 10, 20, 22);
    EXPECT_EQ(ToolTipOf(form->Handle()), nullptr);  // nothing made while setting up
    Send(WM_MOUSEMOVE, 150, 50);
    HWND tip = ToolTipOf(form->Handle());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    // Hints set afterwards go straight to it.
    other.SetHint(L"changed");
    wchar_t text[32] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = form->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(&other);
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"changed");
    form->Make<tk::SpeedButton>("btnZ", 160, 10, 20, 22).SetHint(L"third");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST_F(ButtonForm, RightAnchoredControlsFollowTheRightEdge) {
    auto& right = form->Make<tk::Image>("btnR", 170, 5, 24, 15);
    right.SetAnchors(tk::akTop | tk::akRight);
    auto& stretch = form->Make<tk::SpeedButton>("btnS", 5, 40, 150, 10);
    stretch.SetAnchors(tk::akLeft | tk::akTop | tk::akRight);
    // A windowed control follows the same rule.
    auto& edit =
        form->Make<tk::WinControl>("edtS", tk::ControlParams{L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 5, 20, 150, 15});
    edit.SetAnchors(tk::akLeft | tk::akRight | tk::akBottom);
    form->SetClientSize(300, 60);
    EXPECT_EQ(right.Left(), 270);
    EXPECT_EQ(stretch.Width(), 250);
    EXPECT_EQ(edit.BoundsRect().right, 255);
    EXPECT_EQ(edit.BoundsRect().top, 20);
    form->SetClientSize(100, 80);
    EXPECT_EQ(right.Left(), 70);
    EXPECT_EQ(stretch.Width(), 50);
    EXPECT_EQ(edit.BoundsRect().left, 5);
    EXPECT_EQ(edit.BoundsRect().right, 55);
    EXPECT_EQ(edit.BoundsRect().top, 40);  // anchored to the bottom, not the top: moved
    EXPECT_EQ(form->Find<tk::Image>("btnR"), &right);
    EXPECT_EQ(form->Find<tk::Image>("btnX"), nullptr);  // wrong kind
    EXPECT_EQ(form->FindComponent("missing"), nullptr);
}

TEST_F(ButtonForm, ModalFormEndsWithItsResultAndReenablesTheOthers) {
    tk::FormParams p{L"QuorvexTestForm", L"dlg"};
    p.ClientWidth = 80;
    p.ClientHeight = 40;
    tk::Instance<tk::Form> dialog(p);
    form->Show();  // only visible windows are disabled
    bool ownerDisabledDuring = false;
    int idleCalls = 0;
    tk::IdleSubscription idle([&](bool& done) {
        ++idleCalls;
        done = false;  // no waiting for a message: the loop sees the result at once
        ownerDisabledDuring = !IsWindowEnabled(form->Handle());
        dialog.SetModalResult(tk::ModalResult::Ok);
    });
    EXPECT_EQ(dialog.ShowModal(), tk::ModalResult::Ok);
    EXPECT_GT(idleCalls, 0);  // the idle event runs inside the modal loop
    EXPECT_TRUE(ownerDisabledDuring);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_FALSE(dialog.Visible());
}

}  // namespace
}  // namespace quorvex
