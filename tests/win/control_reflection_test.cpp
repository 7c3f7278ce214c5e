// Messages a form receives about its child controls reach the control through
// the control's own window; what the control leaves unanswered gets the
// form's default handling, exactly as if nothing were reflected.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "toolkit/win_control.h"
#include "win/test_app.h"
#include "win/window_fixture_win.h"

namespace quorvex {
namespace {

// A control that tells which reflected messages reached it.
class Reporting : public tk::WinControl {
public:
    Reporting(tk::Form& parent, std::string name, const tk::ControlParams& params)
        : tk::WinControl(parent, std::move(name), params) {}

    bool DrawItem(const DRAWITEMSTRUCT& item) override {
        Drawn.push_back(item.itemID);
        return true;
    }
    bool MeasureItem(MEASUREITEMSTRUCT& item) override {
        Measured.push_back(item.itemID);
        item.itemHeight = 20 + item.itemID;
        return true;
    }
    bool ParentNotification(tk::Message& m) override {
        if (m.Msg == WM_DELETEITEM) {
            ++Deleted;
            m.Result = TRUE;
            return true;
        }
        return tk::WinControl::ParentNotification(m);
    }

    std::vector<UINT> Drawn;
    std::vector<UINT> Measured;
    int Deleted = 0;
};

std::unique_ptr<tk::Form> MakeForm(const wchar_t* caption) {
    test::TestApp();
    tk::FormParams p{L"QuorvexTestReflectForm", caption};
    p.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    p.ClientWidth = 300;
    p.ClientHeight = 200;
    p.BackgroundColor = COLOR_BTNFACE;
    return tk::MakeInstance<tk::Form>(p);
}

tk::ControlParams Label() {
    return tk::ControlParams{L"STATIC", L"label", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 10, 10, 100, 16};
}

// The form's answer to WM_CTLCOLORSTATIC about `child`, with the DC's colours after it.
struct ColorAnswer {
    LRESULT Brush;
    COLORREF Background;
    COLORREF Text;
};

// `procedure`: the form's own (SendMessageW) or the system's default one.
ColorAnswer Colors(decltype(&SendMessageW) procedure, HWND form, HWND child, UINT message) {
    const tk::WindowDc dc(form);
    SetBkColor(dc.get(), RGB(1, 2, 3));
    SetTextColor(dc.get(), RGB(4, 5, 6));
    const LRESULT brush = procedure(form, message, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(child));
    return {brush, GetBkColor(dc.get()), GetTextColor(dc.get())};
}

ColorAnswer AskColor(HWND form, HWND child, UINT message = WM_CTLCOLORSTATIC) {
    return Colors(&SendMessageW, form, child, message);
}

ColorAnswer DefaultColor(HWND form, HWND child) { return Colors(&DefWindowProcW, form, child, WM_CTLCOLORSTATIC); }

TEST(ControlReflection, ColourMessagesReachTheControlTheyNameAndOnlyIt) {
    auto form = MakeForm(L"colours");
    auto other = MakeForm(L"another form");
    auto& coloured = form->Make<tk::WinControl>("lblColoured", Label());
    auto& plain = form->Make<tk::WinControl>("lblPlain", Label());
    auto& foreign = other->Make<tk::WinControl>("lblForeign", Label());
    coloured.SetSystemColors(COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT);
    foreign.SetSystemColors(COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT);
    EXPECT_EQ(tk::WinControl::FromHandle(coloured.Handle()), &coloured);

    const ColorAnswer answered = AskColor(form->Handle(), coloured.Handle());
    EXPECT_EQ(answered.Brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_HIGHLIGHT)));
    EXPECT_EQ(answered.Background, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(answered.Text, GetSysColor(COLOR_HIGHLIGHTTEXT));
    // Every kind of colour message, not just the label's own.
    EXPECT_EQ(AskColor(form->Handle(), coloured.Handle(), WM_CTLCOLORBTN).Brush, answered.Brush);
    EXPECT_EQ(AskColor(form->Handle(), coloured.Handle(), WM_CTLCOLOREDIT).Brush, answered.Brush);

    // A control without colours, another form's control and a window the
    // toolkit did not make all get what the form would answer anyway.
    HWND stranger =
        CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(stranger, nullptr);
    EXPECT_EQ(tk::WinControl::FromHandle(stranger), nullptr);
    for (HWND child : {plain.Handle(), foreign.Handle(), stranger}) {
        const ColorAnswer got = AskColor(form->Handle(), child);
        const ColorAnswer expected = DefaultColor(form->Handle(), child);
        EXPECT_EQ(got.Brush, expected.Brush);
        EXPECT_EQ(got.Background, expected.Background);
        EXPECT_EQ(got.Text, expected.Text);
    }
    DestroyWindow(stranger);
}

TEST(ControlReflection, OwnerDrawnItemsAreMeasuredDrawnAndDeletedByTheirList) {
    auto form = MakeForm(L"owner-drawn list");
    auto& list = form->Make<Reporting>(
        "lstItems", tk::ControlParams{L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 0,
                                      10, 10, 200, 150});
    for (int i = 0; i < 3; ++i) SendMessageW(list.Handle(), LB_ADDSTRING, 0, static_cast<LPARAM>(100 + i));
    // A variable list asks per item, by the control's id alone.
    EXPECT_EQ(list.Measured, (std::vector<UINT>{0, 1, 2}));
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETITEMHEIGHT, 2, 0), 22);

    form->Show();
    test::PumpUntil([&] { return list.Drawn.size() >= 3; });
    EXPECT_GE(list.Drawn.size(), 3u);

    SendMessageW(list.Handle(), LB_DELETESTRING, 0, 0);
    EXPECT_EQ(list.Deleted, 1);
}

TEST(ControlReflection, UnansweredOwnerDrawAndMenuItemsKeepTheFormsDefault) {
    auto form = MakeForm(L"unanswered");
    auto& button = form->Make<tk::WinControl>(
        "btnDrawn", tk::ControlParams{L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 10, 10, 60, 20});
    auto& reporting = form->Make<Reporting>(
        "btnReporting", tk::ControlParams{L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 80, 10, 60, 20});

    // The base control draws nothing: the form's default answer, 0.
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = static_cast<UINT>(button.Id());
    draw.hwndItem = button.Handle();
    EXPECT_EQ(SendMessageW(form->Handle(), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw)), 0);
    draw.CtlID = static_cast<UINT>(reporting.Id());
    draw.hwndItem = reporting.Handle();
    draw.itemID = 7;
    EXPECT_EQ(SendMessageW(form->Handle(), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(reporting.Drawn, (std::vector<UINT>{7}));

    // A menu's items name no window, even when a handle's value matches one.
    draw.CtlType = ODT_MENU;
    draw.itemID = 8;
    EXPECT_EQ(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), 0);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.CtlID = static_cast<UINT>(reporting.Id());
    EXPECT_EQ(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 0);
    // Nor does an id no child has.
    measure.CtlType = ODT_BUTTON;
    measure.CtlID = 1;
    EXPECT_EQ(SendMessageW(form->Handle(), WM_MEASUREITEM, 1, reinterpret_cast<LPARAM>(&measure)), 0);
    EXPECT_EQ(reporting.Drawn, (std::vector<UINT>{7}));
    EXPECT_TRUE(reporting.Measured.empty());
}

}  // namespace
}  // namespace quorvex
