// The bar as a screen reader sees it, in process: its client object from the
// system's look-up, every child's name, role, state, shortcut and
// description, the default action, the change events and the object's end.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bar/accessible_elements.h"
#include "bar/search_bar_win.h"
#include "config/config.h"
#include "search/search_types.h"
#include "toolkit/handles.h"
#include "toolkit/popup_menu.h"
#include "toolkit/text.h"
#include "win/app_fixture_win.h"
#include "win/url_log.h"

namespace quorvex {
namespace {

constexpr IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr LONG Count = static_cast<LONG>(AccessibleElementCount);

VARIANT Child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

template <typename T>
struct Com {
    T* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    ~Com() { reset(); }
    void reset() {
        if (p) p->Release();
        p = nullptr;
    }
    T* operator->() const { return p; }
};

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* acc, LONG id) {
    BSTR b = nullptr;
    (acc->*get)(Child(id), &b);
    std::wstring s = b ? std::wstring(b, SysStringLen(b)) : L"";
    SysFreeString(b);
    return s;
}

LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* acc, LONG id) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ((acc->*get)(Child(id), &v), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    return v.vt == VT_I4 ? v.lVal : -1;
}

std::vector<std::pair<DWORD, LONG>>& Events() {
    static std::vector<std::pair<DWORD, LONG>> events;
    return events;
}

class BarAccessibleTest : public test::FirstRunTest {
protected:
    void SetUp() override {
        test::FirstRunTest::SetUp();
        bar = tk::MakeInstance<TF_Search>();
        ASSERT_EQ(AccessibleObjectFromWindow(bar->Handle(), static_cast<DWORD>(OBJID_CLIENT), AccessibleIid,
                                             reinterpret_cast<void**>(&acc.p)),
                  S_OK);
        ASSERT_NE(acc.p, nullptr);
    }
    void TearDown() override {
        acc.reset();
        bar.reset();
        test::FirstRunTest::TearDown();
    }
    std::wstring Name(LONG id) { return Text(&IAccessible::get_accName, acc.p, id); }
    LONG State(LONG id) { return Number(&IAccessible::get_accState, acc.p, id); }
    bool Invisible(LONG id) { return (State(id) & STATE_SYSTEM_INVISIBLE) != 0; }
    LONG ChildNamed(const char* name) { return AccessibleChildOf(name); }
    void Pick(const char* item) { bar->pmnuConfig->FindItem(item)->Click(); }

    tk::ComScope com;
    std::unique_ptr<TF_Search> bar;
    Com<IAccessible> acc;
};

TEST_F(BarAccessibleTest, EveryControlHasNameRoleShortcutAndHint) {
    LONG n = 0;
    ASSERT_EQ(acc->get_accChildCount(&n), S_OK);
    EXPECT_EQ(n, Count);
    EXPECT_EQ(Name(CHILDID_SELF), L"Lumetra");
    const auto& elements = BarAccessibleElements();
    for (LONG id = 2; id <= Count; ++id) {
        const auto& e = elements[static_cast<std::size_t>(id - 1)];
        SCOPED_TRACE(e.ControlName);
        EXPECT_EQ(Name(id), tk::Utf8ToWide(e.Name));
        EXPECT_EQ(Number(&IAccessible::get_accRole, acc.p, id), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, acc.p, id), tk::Utf8ToWide(e.Shortcut));
        auto* control = bar->Find<tk::GraphicControl>(e.ControlName);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Text(&IAccessible::get_accDescription, acc.p, id), control->Hint());
        // Simple elements: the bar answers for them.
        Com<IDispatch> none;
        EXPECT_EQ(acc->get_accChild(Child(id), &none.p), S_FALSE);
        EXPECT_EQ(none.p, nullptr);
    }
    EXPECT_EQ(Name(2), L"网页");
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, acc.p, 6), L"Alt+E");
    EXPECT_EQ(Text(&IAccessible::get_accDescription, acc.p, ChildNamed("btnSetup")), L"软件配置，快捷键 F5");
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, acc.p, ChildNamed("btnClose")), L"Esc");
    // Out of range, and a VARIANT that is no child id.
    BSTR b = nullptr;
    EXPECT_EQ(acc->get_accName(Child(Count + 1), &b), E_INVALIDARG);
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    EXPECT_EQ(acc->get_accName(text, &b), E_INVALIDARG);
    EXPECT_EQ(b, nullptr);
}

TEST_F(BarAccessibleTest, TheQueryBoxIsTheSystemsComboBoxUnderItsName) {
    Com<IDispatch> dispatch;
    ASSERT_EQ(acc->get_accChild(Child(1), &dispatch.p), S_OK);
    Com<IAccessible> box;
    ASSERT_EQ(dispatch->QueryInterface(AccessibleIid, reinterpret_cast<void**>(&box.p)), S_OK);
    EXPECT_EQ(Text(&IAccessible::get_accName, box.p, CHILDID_SELF), L"搜索关键词");
    EXPECT_EQ(Number(&IAccessible::get_accRole, box.p, CHILDID_SELF), ROLE_SYSTEM_COMBOBOX);
    bar->cbxSearchText->SetText(L"abc");
    EXPECT_EQ(Text(&IAccessible::get_accValue, acc.p, 1), L"abc");
    Com<IDispatch> parent;
    ASSERT_EQ(box->get_accParent(&parent.p), S_OK);
    Com<IAccessible> parentAcc;
    ASSERT_EQ(parent->QueryInterface(AccessibleIid, reinterpret_cast<void**>(&parentAcc.p)), S_OK);
    EXPECT_EQ(parentAcc.p, acc.p);
    // The box's own window answers with the same name (a reader following
    // the focus asks the box and its edit field directly).
    for (HWND w : {bar->cbxSearchText->Handle(), bar->cbxSearchText->EditHandle()}) {
        Com<IAccessible> own;
        ASSERT_EQ(AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), AccessibleIid,
                                             reinterpret_cast<void**>(&own.p)),
                  S_OK);
        EXPECT_EQ(Text(&IAccessible::get_accName, own.p, CHILDID_SELF), L"搜索关键词");
        EXPECT_EQ(Number(&IAccessible::get_accRole, own.p, CHILDID_SELF),
                  w == bar->cbxSearchText->Handle() ? ROLE_SYSTEM_COMBOBOX : ROLE_SYSTEM_TEXT);
    }
}

TEST_F(BarAccessibleTest, StatesFollowTheDisplayModes) {
    // A bar not shown (not yet, or in the tray) shows none of its buttons.
    EXPECT_TRUE(Invisible(ChildNamed("btnWeb")));
    EXPECT_TRUE(Invisible(CHILDID_SELF));
    bar->Show();
    // Compact (a first run): only the web button of the categories, the drop
    // button, setup and help.
    for (int i = 0; i < SearchTypeCount; ++i) EXPECT_EQ(Invisible(i + 2), i != 0) << i;
    EXPECT_FALSE(Invisible(ChildNamed("btnSearchType")));
    EXPECT_FALSE(Invisible(ChildNamed("btnHelp")));
    EXPECT_FALSE(Invisible(ChildNamed("btnClose")));
    EXPECT_EQ(State(2) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE), 0);
    EXPECT_TRUE(State(1) & STATE_SYSTEM_FOCUSABLE);

    Pick("miShowAll");
    for (int i = 0; i < SearchTypeCount; ++i) EXPECT_FALSE(Invisible(i + 2)) << i;
    EXPECT_TRUE(Invisible(ChildNamed("btnSearchType")));
    Pick("miShowHelp");
    EXPECT_TRUE(Invisible(ChildNamed("btnHelp")));
    // Names stay while the captions are hidden.
    Pick("miShowCaption");
    EXPECT_EQ(Name(ChildNamed("btnMovie")), L"电影");

    // Under a modal dialog (the bar disabled) nothing can be pressed.
    EnableWindow(bar->Handle(), FALSE);
    EXPECT_TRUE(State(ChildNamed("btnSetup")) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(acc->accDoDefaultAction(Child(ChildNamed("btnSetup"))), E_FAIL);
    EnableWindow(bar->Handle(), TRUE);
    EXPECT_FALSE(State(ChildNamed("btnSetup")) & STATE_SYSTEM_UNAVAILABLE);

    bar->Find<tk::GraphicControl>("btnNews")->SetEnabled(false);
    EXPECT_TRUE(State(ChildNamed("btnNews")) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(acc->accDoDefaultAction(Child(ChildNamed("btnNews"))), E_FAIL);
}

TEST_F(BarAccessibleTest, LocationHitTestAndNavigation) {
    const LONG web = ChildNamed("btnWeb");
    LONG x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(acc->accLocation(&x, &y, &w, &h, Child(web)), S_OK);
    const RECT b = bar->Find<tk::GraphicControl>("btnWeb")->BoundsRect();
    POINT origin{0, 0};
    ClientToScreen(bar->Handle(), &origin);
    EXPECT_EQ(x, origin.x + b.left);
    EXPECT_EQ(y, origin.y + b.top);
    EXPECT_EQ(w, b.right - b.left);
    EXPECT_EQ(h, b.bottom - b.top);

    VARIANT hit;
    ASSERT_EQ(acc->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, web);
    ASSERT_EQ(acc->accHitTest(origin.x + 2, origin.y + 2, &hit), S_OK);  // the skin
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    EXPECT_EQ(acc->accHitTest(origin.x - 5, origin.y - 5, &hit), S_FALSE);
    ASSERT_EQ(acc->accHitTest(origin.x + 60, origin.y + 38, &hit), S_OK);  // the query box
    EXPECT_EQ(hit.vt, VT_DISPATCH);
    VariantClear(&hit);

    // Compact: web is followed by the drop button, the hidden ones skipped.
    VARIANT next;
    ASSERT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(web), &next), S_OK);
    EXPECT_EQ(next.vt, VT_I4);
    EXPECT_EQ(next.lVal, ChildNamed("btnSearchType"));
    ASSERT_EQ(acc->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &next), S_OK);
    EXPECT_EQ(next.lVal, ChildNamed("btnClose"));
    EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(ChildNamed("btnClose")), &next), S_FALSE);
}

TEST_F(BarAccessibleTest, DefaultActionSearchesAsAClickDoes) {
    ASSERT_FALSE(test::UrlLogPath().empty()) << "run inside scripts/wine-session --recorder";
    test::ClearUrlLog();
    bar->cbxSearchText->SetText(L"abc");
    Pick("miShowAll");
    const LONG photo = ChildNamed("btnPhoto");
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, acc.p, photo), L"按下");
    ASSERT_EQ(acc->accDoDefaultAction(Child(photo)), S_OK);
    RunIdleOnce();
    const auto urls = test::WaitForUrls(1);
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], "http://image.baidu.com/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word=%61%62%63");
    EXPECT_EQ(bar->cbxSearchText->Items(), (std::vector<std::wstring>{L"abc"}));
    // A hidden button has no action a click could reach.
    Pick("miShowCompact");
    EXPECT_EQ(acc->accDoDefaultAction(Child(photo)), E_FAIL);
    EXPECT_EQ(acc->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(BarAccessibleTest, ModeChangesRaiseTheEvents) {
    Events().clear();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_REORDER, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT) Events().push_back({event, child});
        },
        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    tk::ScopeExit unhook([hook] { UnhookWinEvent(hook); });
    const auto seen = [](DWORD event, LONG child) {
        return std::find(Events().begin(), Events().end(), std::pair{event, child}) != Events().end();
    };
    const auto waitFor = [&](DWORD event, LONG child) {
        const DWORD start = GetTickCount();
        while (!seen(event, child) && GetTickCount() - start < 5000) RunIdleOnce();
        return seen(event, child);
    };
    Pick("miShowAll");
    EXPECT_TRUE(waitFor(EVENT_OBJECT_REORDER, CHILDID_SELF));
    EXPECT_TRUE(waitFor(EVENT_OBJECT_STATECHANGE, ChildNamed("btnMP3")));
    EXPECT_TRUE(waitFor(EVENT_OBJECT_STATECHANGE, ChildNamed("btnSearchType")));
    EXPECT_FALSE(seen(EVENT_OBJECT_STATECHANGE, ChildNamed("btnWeb")));
    EXPECT_FALSE(seen(EVENT_OBJECT_NAMECHANGE, ChildNamed("btnWeb")));
    Pick("miShowCaption");
    EXPECT_TRUE(waitFor(EVENT_OBJECT_NAMECHANGE, ChildNamed("btnGame")));
}

TEST_F(BarAccessibleTest, AHeldObjectOutlivesTheBarSafely) {
    Com<IDispatch> box;
    ASSERT_EQ(acc->get_accChild(Child(1), &box.p), S_OK);
    Com<IAccessible> boxAcc;
    ASSERT_EQ(box->QueryInterface(AccessibleIid, reinterpret_cast<void**>(&boxAcc.p)), S_OK);
    bar.reset();
    BSTR name = nullptr;
    EXPECT_EQ(acc->get_accName(Child(2), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
    LONG n = 0;
    EXPECT_EQ(acc->get_accChildCount(&n), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(acc->accDoDefaultAction(Child(2)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(boxAcc->get_accName(Child(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
}

}  // namespace
}  // namespace quorvex
