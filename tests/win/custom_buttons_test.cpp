// The custom buttons dialog driven by the messages a user produces: clicks on
// check boxes and on texts, Space, Esc, all inside the real modal loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include "config/config.h"
#include "toolkit/accessible_proxy.h"
#include "toolkit/handles.h"
#include "widgets/custom_buttons_win.h"
#include "win/app_fixture_win.h"

namespace quorvex {
namespace {

class CustomButtonsTest : public test::AppTest {
protected:
    RECT ItemRect(TF_CustomButtons& dialog, int index) {
        RECT r{};
        SendMessageW(dialog.ButtonList().Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // A left click at (dx, dy) from the item's top-left corner, queued.
    void PostClick(TF_CustomButtons& dialog, int index, int dx, int dy = 5) {
        const RECT r = ItemRect(dialog, index);
        const LPARAM at = MAKELPARAM(r.left + dx, r.top + dy);
        HWND list = dialog.ButtonList().Handle();
        PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    void PostKey(TF_CustomButtons& dialog, WPARAM vk) {
        PostMessageW(dialog.ButtonList().Handle(), WM_KEYDOWN, vk, 1);
        PostMessageW(dialog.ButtonList().Handle(), WM_KEYUP, vk, 0xC0000001);
    }
    std::vector<bool> Ticks(const TF_CustomButtons& dialog) {
        std::vector<bool> out;
        for (const auto& item : dialog.Items().Items()) out.push_back(item.Checked);
        return out;
    }
};

TEST_F(CustomButtonsTest, TickingPicturesFromTheWebAloneGivesMaskNineWithOneArrange) {
    test::BarStandIn bar(100, 500);
    GetConfig().SetButtonMask(1);
    tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());

    // Geometry: 244 x 92 client, two columns of 122 pixels, 14-pixel items.
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, 244);
    EXPECT_EQ(client.bottom, 92);
    EXPECT_EQ(ItemRect(dialog, 0).bottom - ItemRect(dialog, 0).top, 14);
    EXPECT_EQ(ItemRect(dialog, 6).left, 122);
    EXPECT_EQ(ItemRect(dialog, 6).top, 0);
    EXPECT_EQ(ItemRect(dialog, 5).left, 0);
    EXPECT_EQ(SendMessageW(dialog.ButtonList().Handle(), LB_GETCOUNT, 0, 0), 11);
    EXPECT_EQ(SendMessageW(dialog.ButtonList().Handle(), LB_GETITEMDATA, 3, 0), 8);

    ASSERT_TRUE(dialog.Items().Items()[0].Checked);
    EXPECT_FALSE(dialog.Items().Items()[0].Enabled);

    PostClick(dialog, 0, 5);  // the greyed last tick: nothing
    PostClick(dialog, 3, 5);  // 图片's check box
    PostKey(dialog, VK_ESCAPE);
    test::ModalWatchdog watchdog(dialog);
    EXPECT_EQ(dialog.ShowModal(), tk::ModalResult::Cancel);

    EXPECT_EQ(GetConfig().ButtonMask(), 9);
    // Exactly one arrange, sent after the mask was rebuilt.
    EXPECT_EQ(bar.masks, std::vector<std::int32_t>{9});
    EXPECT_TRUE(dialog.Items().Items()[0].Enabled);
    EXPECT_TRUE(dialog.Items().Items()[3].Enabled);
}

TEST_F(CustomButtonsTest, TextClicksSelectSpaceTogglesAndEscKeepsTheTicks) {
    test::BarStandIn bar(100, 500);
    GetConfig().SetButtonMask(2047);
    tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());
    PostClick(dialog, 7, 40);   // on 图书's text: selects only
    PostKey(dialog, VK_SPACE);  // unticks 图书
    PostClick(dialog, 8, 3);    // unticks 电影 through its box
    PostKey(dialog, VK_ESCAPE);
    test::ModalWatchdog watchdog(dialog);
    EXPECT_EQ(dialog.ShowModal(), tk::ModalResult::Cancel);

    EXPECT_EQ(SendMessageW(dialog.ButtonList().Handle(), LB_GETCURSEL, 0, 0), 8);
    EXPECT_EQ(GetConfig().ButtonMask(), 2047 & ~128 & ~256);
    EXPECT_EQ(bar.masks, (std::vector<std::int32_t>{2047 & ~128, 2047 & ~128 & ~256}));
    std::vector<bool> expected(11, true);
    expected[7] = expected[8] = false;
    EXPECT_EQ(Ticks(dialog), expected);
}

TEST_F(CustomButtonsTest, OpensAboveTheBarWhenThereIsRoomOtherwiseBelow) {
    GetConfig().SetButtonMask(1);
    {
        test::BarStandIn bar(120, 500);
        tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());
        RECT d, b;
        GetWindowRect(dialog.Handle(), &d);
        GetWindowRect(bar.Handle(), &b);
        EXPECT_EQ(d.bottom, b.top);
        EXPECT_EQ(d.left, b.left);
    }
    for (int top : {0, 60}) {
        test::BarStandIn bar(30, top);
        tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());
        RECT d, b;
        GetWindowRect(dialog.Handle(), &d);
        GetWindowRect(bar.Handle(), &b);
        ASSERT_LE(b.top, d.bottom - d.top) << "the bar leaves no room above";
        EXPECT_EQ(d.top, b.bottom);
        EXPECT_EQ(d.left, 30);
    }
}

// The owner-drawn list holds no strings: its rows read as check boxes with
// the category captions, and a reader's default action ticks as Space does.
TEST_F(CustomButtonsTest, ScreenReadersReadAndTickTheRows) {
    tk::ComScope com;
    test::BarStandIn bar(100, 500);
    GetConfig().SetButtonMask(1);
    tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());
    IAccessible* acc = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(dialog.ButtonList().Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                         tk::AccessibleIid, reinterpret_cast<void**>(&acc)),
              S_OK);
    tk::ScopeExit release([acc] { acc->Release(); });
    const auto child = [](LONG id) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    };
    const auto name = [&](LONG id) {
        BSTR b = nullptr;
        acc->get_accName(child(id), &b);
        std::wstring s = b ? b : L"";
        SysFreeString(b);
        return s;
    };
    const auto state = [&](LONG id) {
        VARIANT v;
        EXPECT_EQ(acc->get_accState(child(id), &v), S_OK);
        return v.lVal;
    };
    LONG count = 0;
    ASSERT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 11);
    EXPECT_EQ(name(CHILDID_SELF), L"显示的按钮");
    EXPECT_EQ(name(1), L"网页");
    EXPECT_EQ(name(4), L"图片");
    VARIANT role;
    ASSERT_EQ(acc->get_accRole(child(4), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_CHECKBUTTON);
    // The last tick is greyed: it cannot be taken away.
    EXPECT_EQ(state(1) & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE),
              STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(state(4) & STATE_SYSTEM_CHECKED, 0);
    EXPECT_EQ(acc->accDoDefaultAction(child(1)), E_FAIL);

    LONG x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(acc->accLocation(&x, &y, &w, &h, child(7)), S_OK);
    RECT r = ItemRect(dialog, 6);
    MapWindowPoints(dialog.ButtonList().Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(x, r.left);
    EXPECT_EQ(y, r.top);
    EXPECT_EQ(w, r.right - r.left);

    ASSERT_EQ(acc->accDoDefaultAction(child(4)), S_OK);
    EXPECT_EQ(GetConfig().ButtonMask(), 9);
    EXPECT_EQ(bar.masks, std::vector<std::int32_t>{9});
    EXPECT_TRUE(state(4) & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(state(1) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(acc->get_accName(child(12), nullptr), E_POINTER);
}

}  // namespace
}  // namespace quorvex
