// The bar and its dialogs at the display's DPI. The win_tests_dpi* entries run
// these cases in sessions at 144 and 192 DPI; at 96 they run with the rest.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "bar/search_bar_win.h"
#include "base/dpi_scale.h"
#include "config/config.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "toolkit/combo_box.h"
#include "toolkit/dpi.h"
#include "toolkit/form.h"
#include "widgets/bitmap_button_win.h"
#include "widgets/custom_buttons_win.h"
#include "win/app_fixture_win.h"
#include "win/menu_items_win.h"

namespace quorvex {
namespace {

int Dpi() { return tk::SystemDpi(); }
int Px(int design) { return ScaleLength(design, Dpi()); }

int FontHeight(HFONT font) {
    LOGFONTW log{};
    GetObjectW(font, sizeof log, &log);
    return log.lfHeight;
}

// Every visible child window of `form` lies inside its client area.
void ExpectChildrenInside(HWND form) {
    RECT client;
    GetClientRect(form, &client);
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        // A drop-down box's window includes its closed list.
        if (lstrcmpiW(cls, L"ComboBox") == 0) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            ASSERT_TRUE(GetComboBoxInfo(child, &info));
            r.bottom = r.top + (info.rcButton.bottom + info.rcButton.top);
        }
        EXPECT_GE(r.left, client.left) << static_cast<const void*>(child);
        EXPECT_GE(r.top, client.top) << static_cast<const void*>(child);
        EXPECT_LE(r.right, client.right) << static_cast<const void*>(child);
        EXPECT_LE(r.bottom, client.bottom) << static_cast<const void*>(child);
    }
}

// Everything of a form's layout a DPI change could disturb.
struct Layout {
    RECT Window{};
    RECT Client{};
    std::vector<RECT> Children;
    std::vector<RECT> Controls;
    int Font = 0;
    bool operator==(const Layout& o) const {
        auto same = [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; };
        if (!same(Window, o.Window) || !same(Client, o.Client) || Font != o.Font) return false;
        if (Children.size() != o.Children.size() || Controls.size() != o.Controls.size()) return false;
        for (std::size_t i = 0; i < Children.size(); ++i)
            if (!same(Children[i], o.Children[i])) return false;
        for (std::size_t i = 0; i < Controls.size(); ++i)
            if (!same(Controls[i], o.Controls[i])) return false;
        return true;
    }
};

Layout LayoutOf(tk::Form& form, const std::vector<const char*>& controls = {}) {
    Layout l;
    GetWindowRect(form.Handle(), &l.Window);
    GetClientRect(form.Handle(), &l.Client);
    for (HWND child = GetWindow(form.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        l.Children.push_back(r);
    }
    for (const char* name : controls) {
        auto* c = form.Find<tk::GraphicControl>(name);
        l.Controls.push_back(c ? c->BoundsRect() : RECT{-1, -1, -1, -1});
    }
    l.Font = FontHeight(form.Font());
    return l;
}

// What Windows sends when the window moves to a monitor of another scale:
// the new DPI in both words and the window rectangle it suggests.
void SendDpiChanged(tk::Form& form, int dpi, RECT suggested) {
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The window rectangle Windows suggests: the client area scaled, the frame
// around it as it is at the new scale.
RECT ScaledWindowRect(tk::Form& form, int toDpi) {
    const RECT at = form.BoundsRect();
    RECT r{0, 0, ScaleLength(form.ClientWidth(), toDpi, form.Dpi()),
           ScaleLength(form.ClientHeight(), toDpi, form.Dpi())};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE)));
    return {at.left, at.top, at.left + r.right - r.left, at.top + r.bottom - r.top};
}

// Another common scale to go to and back: through 96 DPI, where every
// length is a design length, the way back is exact.
int OtherDpi(int dpi) { return dpi == 96 ? 144 : 96; }

const std::vector<const char*> BarControls = {"imgLeft",  "imgMid", "imgRight",      "imgCaption", "btnMin",
                                              "btnClose", "btnWeb", "btnSearchType", "btnSetup",   "btnHelp"};

class DisplayScaleTest : public test::FirstRunTest {
protected:
    void TearDown() override {
        bar.reset();
        test::FirstRunTest::TearDown();
    }
    std::unique_ptr<TF_Search> bar;
};

TEST_F(DisplayScaleTest, FirstRunBarAndAllButtonsRowScaleWithTheDisplay) {
    bar = tk::MakeInstance<TF_Search>();
    ASSERT_EQ(bar->Dpi(), Dpi());
    // 256 x 55 at 96 DPI, 384 x 83 at 144, 512 x 110 at 192.
    EXPECT_EQ(bar->Width(), Px(256));
    EXPECT_EQ(bar->ClientHeight(), Px(55));
    if (Dpi() == 144) EXPECT_EQ(bar->Width() * 1000 + bar->ClientHeight(), 384083);
    if (Dpi() == 192) EXPECT_EQ(bar->Width() * 1000 + bar->ClientHeight(), 512110);
    EXPECT_EQ(FontHeight(bar->Font()), -Px(12));
    const RECT box = bar->cbxSearchText->BoundsRect();
    EXPECT_EQ(box.left, Px(8));
    EXPECT_EQ(box.bottom - box.top, Px(20));
    EXPECT_EQ(bar->Find<tk::GraphicControl>("btnClose")->Left(), Px(256) - Px(30));
    ExpectChildrenInside(bar->Handle());
    for (const char* name : BarControls) {
        auto* c = bar->Find<tk::GraphicControl>(name);
        ASSERT_NE(c, nullptr) << name;
        if (!c->Visible()) continue;
        // Without its images (the test program has no resources) a pill keeps its default size.
        if (auto* pill = dynamic_cast<TBitmapButton*>(c); pill && !pill->Bitmap(TButtonImage::Normal)) continue;
        const RECT r = c->BoundsRect();
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= bar->ClientWidth() && r.bottom <= bar->ClientHeight())
            << name << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }

    bar->pmnuConfig->FindItem("miShowAll")->Click();
    EXPECT_EQ(bar->Width(), Px(802));
    const RECT help = bar->Find<tk::GraphicControl>("btnHelp")->BoundsRect();
    EXPECT_LE(help.right, bar->ClientWidth());
    EXPECT_EQ(help.right - help.left, Px(22));
}

// The pills sized by their images (the test program has none of its own).
TEST_F(DisplayScaleTest, PillsWithImagesKeepTheirPlaceAtTheRightEdge) {
    bar = tk::MakeInstance<TF_Search>();
    for (const char* name : {"btnMin", "btnClose"}) {
        auto* pill = bar->Find<TBitmapButton>(name);
        ASSERT_NE(pill, nullptr);
        HDC screen = GetDC(nullptr);
        HBITMAP image = CreateCompatibleBitmap(screen, 24, 15);
        ReleaseDC(nullptr, screen);
        pill->SetBitmap(TButtonImage::Normal, image);
        DeleteObject(image);
    }
    bar->ArrangeButtons();
    const RECT close = bar->Find<tk::GraphicControl>("btnClose")->BoundsRect();
    const RECT min = bar->Find<tk::GraphicControl>("btnMin")->BoundsRect();
    EXPECT_EQ(close.right - close.left, Px(24)) << close.left << "," << close.top << "," << close.right;
    EXPECT_EQ(close.bottom - close.top, Px(15));
    EXPECT_EQ(min.left, Px(256) - Px(54)) << min.left;
    EXPECT_LE(close.right, bar->ClientWidth());
    EXPECT_GE(close.left, min.right - 1);
}

TEST_F(DisplayScaleTest, BarFollowsADpiChangeAndComesBackExactly) {
    bar = tk::MakeInstance<TF_Search>();
    const int start = bar->Dpi();
    const int other = OtherDpi(start);
    const Layout before = LayoutOf(*bar, BarControls);

    SendDpiChanged(*bar, other, ScaledWindowRect(*bar, other));
    EXPECT_EQ(bar->Dpi(), other);
    EXPECT_EQ(bar->Width(), ScaleLength(256, other));
    EXPECT_EQ(bar->ClientHeight(), ScaleLength(55, other));
    EXPECT_EQ(FontHeight(bar->Font()), -ScaleLength(12, other));
    EXPECT_EQ(bar->Find<tk::GraphicControl>("btnClose")->Left(), ScaleLength(256, other) - ScaleLength(30, other));
    const RECT box = bar->cbxSearchText->BoundsRect();
    EXPECT_EQ(box.bottom - box.top, ScaleLength(20, other));
    ExpectChildrenInside(bar->Handle());

    SendDpiChanged(*bar, start, before.Window);
    EXPECT_TRUE(LayoutOf(*bar, BarControls) == before);

    // Straight between two scales above 100 %: pieces anchored right stay right.
    const int third = start == 192 ? 144 : 192;
    SendDpiChanged(*bar, third, ScaledWindowRect(*bar, third));
    EXPECT_EQ(bar->Width(), ScaleLength(256, third));
    EXPECT_EQ(bar->Find<tk::GraphicControl>("imgRight")->BoundsRect().right, bar->ClientWidth());
    EXPECT_LE(bar->Find<tk::GraphicControl>("btnClose")->Left(), bar->ClientWidth() - ScaleLength(29, third));
    ExpectChildrenInside(bar->Handle());
    EXPECT_TRUE(test::Recorded().Errors.empty());
}

TEST_F(DisplayScaleTest, CustomButtonsDialogFitsItsListAtEveryScale) {
    test::BarStandIn stand(100, 500);
    tk::Instance<TF_CustomButtons> dialog(stand.Handle(), GetConfig().ButtonMask(), stand.MaskChange());
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, Px(244));
    EXPECT_EQ(client.bottom, Px(92));
    RECT item{};
    SendMessageW(dialog.ButtonList().Handle(), LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.bottom - item.top, Px(14));
    EXPECT_LE(item.bottom, client.bottom);  // six rows fit the column
    ExpectChildrenInside(dialog.Handle());

    const Layout before = LayoutOf(dialog);
    const int other = OtherDpi(dialog.Dpi());
    SendDpiChanged(dialog, other, ScaledWindowRect(dialog, other));
    GetClientRect(dialog.Handle(), &client);
    SendMessageW(dialog.ButtonList().Handle(), LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.bottom - item.top, ScaleLength(14, other));
    EXPECT_LE(item.bottom, client.bottom);
    ExpectChildrenInside(dialog.Handle());
    SendDpiChanged(dialog, Dpi(), before.Window);
    EXPECT_TRUE(LayoutOf(dialog) == before);
}

TEST_F(DisplayScaleTest, HotKeyDialogFitsItsControlsAtEveryScale) {
    test::BarStandIn stand(200, 600);
    tk::Instance<TF_HotKey> dialog(stand.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    EXPECT_EQ(FontHeight(dialog.Font()), -Px(12));
    ExpectChildrenInside(dialog.Handle());

    const Layout before = LayoutOf(dialog);
    const int other = OtherDpi(dialog.Dpi());
    SendDpiChanged(dialog, other, ScaledWindowRect(dialog, other));
    EXPECT_EQ(FontHeight(dialog.Font()), -ScaleLength(12, other));
    ExpectChildrenInside(dialog.Handle());
    SendDpiChanged(dialog, Dpi(), before.Window);
    EXPECT_TRUE(LayoutOf(dialog) == before);
    dialog.Hide();
}

}  // namespace
}  // namespace quorvex
