// The Alt-key repaint fix on the toolkit's forms and idle event.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>

#include "toolkit/form.h"
#include "toolkit/win_control.h"
#include "toolkit/window_subclass.h"
#include "widgets/vista_alt_fix_win.h"
#include "win/app_fixture_win.h"

namespace quorvex {
namespace {

// Counts WM_PAINT per window.
class PaintCounter {
public:
    void Watch(HWND hwnd) {
        hooks_[hwnd] = std::make_unique<tk::WindowSubclass>(hwnd, [this, hwnd](tk::WindowSubclass&, tk::Message& m) {
            if (m.Msg == WM_PAINT) ++counts_[hwnd];
            return false;
        });
    }
    void Unwatch(HWND hwnd) { hooks_.erase(hwnd); }
    int operator[](HWND hwnd) const {
        auto it = counts_.find(hwnd);
        return it == counts_.end() ? 0 : it->second;
    }
    void Reset() { counts_.clear(); }

private:
    std::map<HWND, int> counts_;
    std::map<HWND, std::unique_ptr<tk::WindowSubclass>> hooks_;
};

class VistaAltFixTest : public test::AppTest {
protected:
    std::unique_ptr<tk::Form> MakeForm(const wchar_t* caption) {
        tk::FormParams p;
        p.ClassName = L"QuorvexTestDialog";
        p.Caption = caption;
        p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        p.Left = 50;
        p.Top = 50;
        p.ClientWidth = 200;
        p.ClientHeight = 100;
        p.BackgroundColor = COLOR_BTNFACE;
        return tk::MakeInstance<tk::Form>(p);
    }
    // Paints everything outstanding, so that only new paints are counted.
    void Settle(tk::Form& form) {
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        app->ProcessMessages();
    }
};

TEST_F(VistaAltFixTest, UiStateChangeRepaintsTheControlsOnceAtTheNextIdleMoment) {
    TVistaAltFix fix(TVistaAltFix::Activation::Always);
    ASSERT_TRUE(fix.Active());
    auto form = MakeForm(L"alt fix");
    auto& ok = form->Make<tk::Button>("btnOK", L"确定(&O)", 10, 10, 60, 25);
    auto& cancel = form->Make<tk::Button>("btnCancel", L"取消(&C)", 80, 10, 60, 25);
    form->Show();

    RunIdleOnce();  // hooks the form
    ASSERT_NE(fix.FormObjList(), nullptr);
    ASSERT_EQ(fix.FormObjList()->size(), 1u);
    EXPECT_EQ(fix.FormObjList()->front()->WatchedForm, form.get());

    PaintCounter paints;
    paints.Watch(ok.Handle());
    paints.Watch(cancel.Handle());
    Settle(*form);
    paints.Reset();

    // The previous procedure still sees the message (the form's own answer comes back).
    SendMessageW(form->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    SendMessageW(form->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_TRUE(fix.FormObjList()->front()->RepaintPending);
    EXPECT_EQ(paints[ok.Handle()], 0);

    RunIdleOnce();
    EXPECT_EQ(paints[ok.Handle()], 1);
    EXPECT_EQ(paints[cancel.Handle()], 1);
    EXPECT_FALSE(fix.FormObjList()->front()->RepaintPending);

    RunIdleOnce();  // nothing pending: no further repaint
    EXPECT_EQ(paints[ok.Handle()], 1);
    EXPECT_EQ(paints[cancel.Handle()], 1);
    paints.Unwatch(ok.Handle());
    paints.Unwatch(cancel.Handle());
}

TEST_F(VistaAltFixTest, ClosedFormsAreDroppedAndNewOnesHookedAnew) {
    TVistaAltFix fix(TVistaAltFix::Activation::Always);
    auto first = MakeForm(L"first");
    first->Show();
    RunIdleOnce();
    ASSERT_EQ(fix.FormObjList()->size(), 1u);
    first.reset();
    auto second = MakeForm(L"second");
    second->Show();
    RunIdleOnce();
    ASSERT_EQ(fix.FormObjList()->size(), 1u);
    EXPECT_EQ(fix.FormObjList()->front()->WatchedForm, second.get());
    EXPECT_EQ(fix.FormObjList()->front()->WatchedWindow, second->Handle());
}

TEST_F(VistaAltFixTest, RepaintAllIsTakenWhenAFormIsHooked) {
    TVistaAltFix fix(TVistaAltFix::Activation::Always);
    auto whole = MakeForm(L"whole");
    whole->Show();
    RunIdleOnce();
    fix.RepaintAll = false;
    auto buttons = MakeForm(L"buttons");
    auto& edit = buttons->Make<tk::WinControl>(
        "edit", tk::ControlParams{L"EDIT", L"x", WS_CHILD | WS_VISIBLE, 0, 10, 50, 80, 20});
    auto& button = buttons->Make<tk::Button>("btn", L"&A", 10, 10, 60, 25);
    buttons->Show();
    RunIdleOnce();
    ASSERT_EQ(fix.FormObjList()->size(), 2u);
    EXPECT_TRUE((*fix.FormObjList())[0]->RepaintEverything);
    EXPECT_FALSE((*fix.FormObjList())[1]->RepaintEverything);

    // Buttons only: the edit box is left alone.
    PaintCounter paints;
    paints.Watch(edit.Handle());
    paints.Watch(button.Handle());
    Settle(*buttons);
    paints.Reset();
    SendMessageW(buttons->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    RunIdleOnce();
    EXPECT_EQ(paints[button.Handle()], 1);
    EXPECT_EQ(paints[edit.Handle()], 0);
    paints.Unwatch(edit.Handle());
    paints.Unwatch(button.Handle());
}

TEST_F(VistaAltFixTest, AFormOutlivingTheFixGetsItsProcedureBack) {
    auto form = MakeForm(L"outlives");
    form->Show();
    {
        TVistaAltFix fix(TVistaAltFix::Activation::Always);
        RunIdleOnce();
        ASSERT_EQ(fix.FormObjList()->size(), 1u);
    }
    // The record is gone; the form's messages must not reach it.
    SendMessageW(form->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    RunIdleOnce();
    EXPECT_TRUE(IsWindow(form->Handle()));

    TVistaAltFix inactive(TVistaAltFix::Activation::Never);
    EXPECT_FALSE(inactive.Active());
    EXPECT_EQ(inactive.FormObjList(), nullptr);
}

}  // namespace
}  // namespace quorvex
