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
    return tk::ControlParams{L"EDIT",          L"",       WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                             WS_EX_CLIENTEDGE, FieldLeft, top,
                             FieldWidth,       21};
}

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

TF_AddEngine::TF_AddEngine(HWND bar) : tk::Form(AddEngineParams()), bar_(bar) {
    SetFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET});
    SetKeyPreview(true);
    SetDialogKeys(true);  // Tab between the fields, Alt+O / Alt+C
    OnKeyDown = [this](unsigned& key, tk::ShiftState shift) { FormKeyDown(key, shift); };

    // Creation order is the tab order.
    MakeLabel("lblName", L"名称：", 8, 12, 86);
    name_ = &Make<tk::WinControl>("edtName", Edit(8));
    MakeLabel("lblTemplate", L"网址模板：", 8, 39, 86);
    template_ = &Make<tk::WinControl>("edtTemplate", Edit(35));
    MakeLabel("lblTemplateHint", L"用 {q} 代表要搜索的文字", FieldLeft, 59, FieldWidth);
    MakeLabel("lblCharset", L"编码：", 8, 82, 86);
    utf8_ = &Make<tk::RadioButton>("rbUtf8", L"UTF-8(&U)", FieldLeft, 80, 80, 17, true);
    gbk_ = &Make<tk::RadioButton>("rbGbk", L"GBK(&G)", FieldLeft + 90, 80, 70, 17, false);
    MakeLabel("lblSuggest", L"搜索建议网址：", 8, 108, 86);
    suggest_ = &Make<tk::WinControl>("edtSuggest", Edit(104));
    SetWindowLongW(suggest_->Handle(), GWL_STYLE, GetWindowLongW(suggest_->Handle(), GWL_STYLE) | WS_GROUP);
    MakeLabel("lblSuggestHint", L"可不填（OpenSearch JSON）", FieldLeft, 128, FieldWidth);
    ok_ = &Make<tk::Button>("btnOK", L"确定(&O)", 186, 147, 60, 25, true);
    cancel_ = &Make<tk::Button>("btnCancel", L"取消(&C)", 252, 147, 60, 25);
    for (tk::WinControl* c : std::initializer_list<tk::WinControl*>{utf8_, gbk_, ok_, cancel_})
        c->SetSystemColors(COLOR_BTNFACE, COLOR_BTNTEXT);
    utf8_->Check();

    ok_->OnClick = [this](tk::WinControl&) { btnOKClick(); };
    cancel_->OnClick = [this](tk::WinControl&) { SetModalResult(tk::ModalResult::Cancel); };
    OnShow = [this](tk::Form&) {
        PlaceNextToBar();
        name_->SetFocus();
    };
}

// Labels on the dialog's button face, in its text colour too, or a
// high-contrast scheme could leave dark on dark.
tk::WinControl& TF_AddEngine::MakeLabel(std::string name, const wchar_t* text, int left, int top, int width) {
    tk::WinControl& label = Make<tk::WinControl>(std::move(name), Label(text, left, top, width));
    label.SetSystemColors(COLOR_BTNFACE, COLOR_BTNTEXT);
    return label;
}

void TF_AddEngine::PlaceNextToBar() {
    RECT bar;
    if (!GetWindowRect(bar_, &bar)) return;
    const int top = DialogTopNextToBar(bar.top, bar.bottom - bar.top, Height(), MonitorBoundsOf(bar_).Top);
    SetBounds(bar.left, top, Width(), Height());
}

TUserEngine TF_AddEngine::Fields() const {
    TUserEngine engine;
    engine.Name = U16(name_->Text());
    engine.Template = U16(template_->Text());
    engine.Charset = gbk_->Checked() ? TQueryCharset::Gbk : TQueryCharset::Utf8;
    engine.SuggestUrl = U16(suggest_->Text());
    return engine;
}

void TF_AddEngine::btnOKClick() {
    const TEngineProblem problem = GetConfig().AddUserEngine(Fields());
    if (problem == TEngineProblem::None) {
        SetModalResult(tk::ModalResult::Ok);
        return;
    }
    tk::Application& app = tk::Application::Get();
    app.MessageBox(tk::Utf8ToWide(EngineProblemText(problem)), app.Title(), MB_OK | MB_ICONWARNING);
    // Back to the field the refusal is about.
    switch (problem) {
    case TEngineProblem::NameEmpty:
    case TEngineProblem::NameTooLong:
    case TEngineProblem::NameTaken:
        name_->SetFocus();
        break;
    case TEngineProblem::SuggestNotWeb:
        suggest_->SetFocus();
        break;
    default:
        template_->SetFocus();
        break;
    }
}

void TF_AddEngine::FormKeyDown(unsigned& key, tk::ShiftState shift) {
    // The encodings' letters. The key goes on: its WM_SYSCHAR is what keeps
    // the release of Alt from opening the window's system menu.
    if ((shift & tk::ssAlt) && (key == 'U' || key == 'G')) {
        (key == 'U' ? utf8_ : gbk_)->Check();
    } else if (key == VK_ESCAPE) {
        SetModalResult(tk::ModalResult::Cancel);
        key = 0;
    } else if (key == VK_RETURN) {
        key = 0;
        btnOKClick();
    }
}

bool ShowAddEngineDialog(HWND bar) {
    tk::Instance<TF_AddEngine> dialog(bar);
    return dialog.ShowModal() == tk::ModalResult::Ok;
}

}  // namespace quorvex
