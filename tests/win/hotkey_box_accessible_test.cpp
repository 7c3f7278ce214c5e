// The hot-key box as a screen reader reads it: the text it paints itself is
// the value, under the name its dialog gives it; a held object outlives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>

#include "hotkeys/hotkey_edit_win.h"
#include "toolkit/accessible_proxy.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "toolkit/text.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

VARIANT Self() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

std::wstring Take(BSTR b) {
    std::wstring s = b ? std::wstring(b, SysStringLen(b)) : L"";
    SysFreeString(b);
    return s;
}

TEST(HotKeyBoxAccessible, NameRoleAndThePaintedTextAsValue) {
    tk::ComScope com;
    test::TestApp();
    tk::Instance<tk::Form> top(tk::FormParams{L"QuorvexTestHotKeyForm", L"hot-key box"});
    auto box = std::make_unique<THotKeyEx>(top, "hk", 10, 10, 121, 19);
    box->SetAccessibleName(L"最小化窗口/恢复窗口 自定义热键");
    box->SetHotKey(0x1053);  // Win+S

    IAccessible* acc = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(box->Handle(), static_cast<DWORD>(OBJID_CLIENT), tk::AccessibleIid,
                                         reinterpret_cast<void**>(&acc)),
              S_OK);
    ASSERT_NE(acc, nullptr);
    tk::ScopeExit release([acc] { acc->Release(); });
    BSTR b = nullptr;
    ASSERT_EQ(acc->get_accName(Self(), &b), S_OK);
    EXPECT_EQ(Take(b), L"最小化窗口/恢复窗口 自定义热键");
    VARIANT role;
    ASSERT_EQ(acc->get_accRole(Self(), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_HOTKEYFIELD);
    ASSERT_EQ(acc->get_accValue(Self(), &b), S_OK);
    EXPECT_EQ(Take(b), L"Win + S");  // the platform's control knows no Windows key
    // The value follows the key.
    box->SetHotKey(0xC053);
    ASSERT_EQ(acc->get_accValue(Self(), &b), S_OK);
    EXPECT_EQ(Take(b), L"Ctrl + Alt + S");

    box.reset();
    EXPECT_EQ(acc->get_accValue(Self(), &b), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(acc->get_accName(Self(), &b), CO_E_OBJNOTCONNECTED);
}

}  // namespace
}  // namespace quorvex
