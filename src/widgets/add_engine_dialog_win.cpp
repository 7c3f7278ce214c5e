#include "widgets/add_engine_dialog_win.h"

#include "base/desktop_win.h"
#include "config/config.h"
#include "toolkit/application.h"
#include "toolkit/font.h"
#include "toolkit/text.h"
#include "widgets/dialog_placement.h"

namespace quorvex {
namespace {

constexpr int ClientWidth = 320;
constexpr int ClientHeight = 178;
constexpr int FieldLeft = 96;
constexpr int FieldWidth = 216;

tk::FormParams AddEngineParams() {
    tk::FormParams p;
    p.ClassName = L"TF_AddEngine";
    p.Caption = L"添加搜索引擎";
    p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.ClientWidth = ClientWidth;
    p.ClientHeight = ClientHeight;
    p.BackgroundColor = COLOR_BTNFACE;
    return p;
}

tk::ControlParams Label(const wchar_t* text, int left, int top, int width) {
    return tk::ControlParams{L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, left, top, width, 14};
}

tk::ControlParams Edit(int top) {
    return tk::ControlParams{L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                             FieldLeft, top, FieldWidth, 21};
}

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

TF_AddEngine::TF_AddEngine(HWND bar) : tk::Form(AddEngineParams()), FBar(bar) {
    SetFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET});
    SetKeyPreview(true);
    SetDialogKeys(true);  // Tab between the fields, Alt+O / Alt+C
    OnKeyDown = [this](unsigned& key, tk::ShiftState shift) { FormKeyDown(key, shift); };

    // Creation order is the tab order.
    Make<tk::WinControl>("lblName", Label(L"名称：", 8, 12, 86));
    FName = &Make<tk::WinControl>("edtName", Edit(8));
    Make<tk::WinControl>("lblTemplate", Label(L"网址模板：", 8, 39, 86));
    FTemplate = &Make<tk::WinControl>("edtTemplate", Edit(35));
    Make<tk::WinControl>("lblTemplateHint", Label(L"用 {q} 代表要搜索的文字", FieldLeft, 59, FieldWidth));
    Make<tk::WinControl>("lblCharset", Label(L"编码：", 8, 82, 86));
    FUtf8 = &Make<TRadioButton>("rbUtf8", L"UTF-8(&U)", FieldLeft, 80, 80, 17, true);
    FGbk = &Make<TRadioButton>("rbGbk", L"GBK(&G)", FieldLeft + 90, 80, 70, 17, false);
    Make<tk::WinControl>("lblSuggest", Label(L"搜索建议网址：", 8, 108, 86));
    FSuggest = &Make<tk::WinControl>("edtSuggest", Edit(104));
    SetWindowLongW(FSuggest->Handle(), GWL_STYLE, GetWindowLongW(FSuggest->Handle(), GWL_STYLE) | WS_GROUP);
    Make<tk::WinControl>("lblSuggestHint", Label(L"可不填（OpenSearch JSON）", FieldLeft, 128, FieldWidth));
    FBtnOK = &Make<tk::Button>("btnOK", L"确定(&O)", 186, 147, 60, 25, true);
    FBtnCancel = &Make<tk::Button>("btnCancel", L"取消(&C)", 252, 147, 60, 25);
    FUtf8->Check();

    FBtnOK->OnClick = [this](tk::WinControl&) { btnOKClick(); };
    FBtnCancel->OnClick = [this](tk::WinControl&) { SetModalResult(tk::mrCancel); };
    OnShow = [this](tk::Form&) {
        PlaceNextToBar();
        FName->SetFocus();
    };
}

void TF_AddEngine::WndProc(tk::Message& m) {
    switch (m.Msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // Labels and radio buttons on the dialog's button face.
        SetBkColor(reinterpret_cast<HDC>(m.WParam), GetSysColor(COLOR_BTNFACE));
        // Its text colour too, or a high-contrast scheme could leave dark on dark.
        SetTextColor(reinterpret_cast<HDC>(m.WParam), GetSysColor(COLOR_BTNTEXT));
        m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return;
    default:
        tk::Form::WndProc(m);
    }
}

void TF_AddEngine::PlaceNextToBar() {
    RECT bar;
    if (!GetWindowRect(FBar, &bar)) return;
    const int top = DialogTopNextToBar(bar.top, bar.bottom - bar.top, Height(), MonitorBoundsOf(FBar).Top);
    SetBounds(bar.left, top, Width(), Height());
}

TUserEngine TF_AddEngine::Fields() const {
    TUserEngine engine;
    engine.Name = U16(FName->Text());
    engine.Template = U16(FTemplate->Text());
    engine.Charset = FGbk->Checked() ? TQueryCharset::Gbk : TQueryCharset::Utf8;
    engine.SuggestUrl = U16(FSuggest->Text());
    return engine;
}

void TF_AddEngine::btnOKClick() {
    const TEngineProblem problem = GetConfig().AddUserEngine(Fields());
    if (problem == TEngineProblem::None) {
        SetModalResult(tk::mrOk);
        return;
    }
    tk::Application& app = tk::Application::Get();
    app.MessageBox(tk::Utf8ToWide(EngineProblemText(problem)), app.Title(), MB_OK | MB_ICONWARNING);
    // Back to the field the refusal is about.
    switch (problem) {
    case TEngineProblem::NameEmpty:
    case TEngineProblem::NameTooLong:
    case TEngineProblem::NameTaken:
        FName->SetFocus();
        break;
    case TEngineProblem::SuggestNotWeb:
        FSuggest->SetFocus();
        break;
    default:
        FTemplate->SetFocus();
        break;
    }
}

void TF_AddEngine::FormKeyDown(unsigned& key, tk::ShiftState shift) {
    // The encodings' letters. The key goes on: its WM_SYSCHAR is what keeps
    // the release of Alt from opening the window's system menu.
    if ((shift & tk::ssAlt) && (key == 'U' || key == 'G')) {
        (key == 'U' ? FUtf8 : FGbk)->Check();
    } else if (key == VK_ESCAPE) {
        SetModalResult(tk::mrCancel);
        key = 0;
    } else if (key == VK_RETURN) {
        key = 0;
        btnOKClick();
    }
}

bool ShowAddEngineDialog(HWND bar) {
    tk::Instance<TF_AddEngine> dialog(bar);
    return dialog.ShowModal() == tk::mrOk;
}

}  // namespace quorvex
