// The bar's keys, buttons, layout pass and clipboard fill.
#include "bar/bar_history_win.h"
#include "bar/key_commands.h"
#include "bar/layout.h"
#include "bar/search_bar_win.h"
#include "bar/suggest_box_win.h"
#include "base/desktop_win.h"
#include "config/config.h"
#include "search/gbk_codec_win.h"
#include "search/query_limit.h"
#include "search/run_search_win.h"
#include "search/search_types.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/speed_button.h"
#include "toolkit/text.h"
#include "widgets/help_box_win.h"

namespace quorvex {
namespace {

constexpr std::size_t AutoCopyMaxBytes = 32;
constexpr const wchar_t* ClearHistoryQuestion = L"您确定要清除历史记录吗？";

// The toolkit's modifier bits are the key table's.
static_assert(unsigned{tk::ssShift} == unsigned{KeyShift} && unsigned{tk::ssAlt} == unsigned{KeyAlt} &&
              unsigned{tk::ssCtrl} == unsigned{KeyCtrl});

}  // namespace

void TF_Search::ArrangeButtons() {
    const TConfig& cfg = GetConfig();
    TLayoutInput in;
    in.ButtonMode = cfg.ButtonMode();
    in.ButtonMask = cfg.ButtonMask();
    in.ShowCaption = cfg.ShowCaption();
    in.ShowHelp = cfg.ShowHelp();
    std::array<tk::SpeedButton*, SearchTypeCount> categories{};
    for (int i = 0; i < SearchTypeCount; ++i) {
        categories[static_cast<std::size_t>(i)] = Find<tk::SpeedButton>(SearchButtonName(i));
        in.CategoryExists[static_cast<std::size_t>(i)] = categories[static_cast<std::size_t>(i)] != nullptr;
    }
    auto* btnSearchType = Find<tk::GraphicControl>("btnSearchType");
    auto* btnSetup = Find<tk::GraphicControl>("btnSetup");
    auto* btnHelp = Find<tk::GraphicControl>("btnHelp");
    in.SearchTypeExists = btnSearchType != nullptr;
    in.SetupExists = btnSetup != nullptr;
    in.HelpExists = btnHelp != nullptr;
    in.WindowLeft = Left();
    in.ScreenWidth = MonitorBoundsOf(Handle()).Right;
    in.Dpi = Dpi();

    const TLayout layout = ArrangeButtonsLayout(in);
    auto apply = [](tk::GraphicControl* c, const TLayoutSlot& slot) {
        if (!c || !slot.Arranged) return;
        c->SetVisible(slot.Visible);
        if (slot.Visible) c->SetBounds(slot.Left, c->Top(), slot.Width, c->Height());
    };
    for (int i = 0; i < SearchTypeCount; ++i) {
        const TLayoutSlot& slot = layout.Categories[static_cast<std::size_t>(i)];
        tk::SpeedButton* b = categories[static_cast<std::size_t>(i)];
        if (b && slot.Arranged && slot.Visible)
            b->SetCaption(slot.HasCaption ? tk::Utf8ToWide(SearchTypes[static_cast<std::size_t>(i)].Caption) : L"");
        apply(b, slot);
    }
    apply(btnSearchType, layout.SearchType);
    apply(btnSetup, layout.Setup);
    apply(btnHelp, layout.Help);
    SetBounds(layout.WindowLeft, Top(), layout.WindowWidth, Height());
    AccessibleRowChanged();
}

tk::GraphicControl* TF_Search::FirstVisibleSearchButton() const {
    for (int i = 0; i < SearchTypeCount; ++i) {
        auto* b = Find<tk::GraphicControl>(SearchButtonName(i));
        if (b && b->Visible()) return b;
    }
    return nullptr;
}

void TF_Search::FormKeyDown(unsigned& key, tk::ShiftState shift) {
    // While the suggestion list is open it takes Esc, Down and Up.
    suggest_->PreviewKey(key, shift);
    if (key == 0) return;
    const TBarKeyAction action = BarKeyAction(key, shift);
    switch (action.Command) {
    case TBarCommand::Close:
        Close();
        break;
    case TBarCommand::ClearHistory:
        ClearHistoryAsked();
        break;
    case TBarCommand::Help:
        if (auto* b = Find<tk::GraphicControl>("btnHelp")) b->Click();
        break;
    case TBarCommand::Setup:
        if (auto* b = Find<tk::GraphicControl>("btnSetup")) b->Click();
        break;
    case TBarCommand::Category:
        // Also a hidden button: Alt+F searches the forum in compact mode.
        if (auto* b = Find<tk::GraphicControl>(SearchButtonName(action.Category))) b->Click();
        break;
    case TBarCommand::None:
        break;
    }
}

void TF_Search::ClearHistoryAsked() {
    tk::Application& app = tk::Application::Get();
    if (app.MessageBox(ClearHistoryQuestion, app.Title(), MB_YESNO | MB_ICONQUESTION) == IDYES) cbxSearchText->Clear();
}

void TF_Search::cbxSearchTextKeyDown(unsigned& key, tk::ShiftState shift) {
    switch (QueryBoxKeyAction(key, shift)) {
    case TQueryBoxCommand::SearchFirstVisible:
        if (tk::GraphicControl* b = FirstVisibleSearchButton()) b->Click();
        break;
    case TQueryBoxCommand::SelectAll:
        cbxSearchText->SelectAll();
        break;
    case TQueryBoxCommand::None:
        break;
    }
}

void TF_Search::cbxSearchTextEnter() { ime_.Enter(cbxSearchText->EditHandle(), GetConfig().AutoOpenIME()); }

void TF_Search::cbxSearchTextExit() {
    suggest_->Close();
    ime_.Exit();
}

void TF_Search::SearchButtonClick(tk::GraphicControl& sender) {
    const int tag = sender.Tag();
    if (tag < 0 || tag >= SearchTypeCount || FindComponent(SearchButtonName(tag)) != &sender) return;
    suggest_->Close();
    if (!GetConfig().CurrentEngine()) return;
    const char* key = SearchTypes[static_cast<std::size_t>(tag)].Key;
    // A category the current engine lacks is searched on the first one.
    const TSearchEngine* engine = GetConfig().Engines().EngineFor(key);
    if (!engine) return;
    std::wstring query = cbxSearchText->Text();
    // Typing stops at the box's limit but another program's WM_SETTEXT does not:
    // cut such a text as the box would, so the box shows what is searched.
    const std::size_t cut = QueryCutLength(std::wstring_view(query));
    if (cut < query.size()) {
        query.resize(cut);
        cbxSearchText->SetText(query);
    }
    // A launch that fails is reported here; the bar and the query stay.
    try {
        if (RunSearch(*engine, key, query)) AddToHistory(*cbxSearchText);
    } catch (...) {
        tk::Application::Get().ShowCurrentException();
    }
}

void TF_Search::btnSearchTypeClick(tk::GraphicControl& sender) {
    POINT p{sender.Left(), sender.Top()};
    ClientToScreen(Handle(), &p);
    pmnuSearchType->Popup(p.x, p.y);
}

void TF_Search::btnSetupClick(tk::GraphicControl& sender) {
    SyncSignInMenuItem();
    POINT p{sender.Left(), sender.Top()};
    ClientToScreen(Handle(), &p);
    pmnuConfig->Popup(p.x, p.y);
}

void TF_Search::btnHelpClick() { ShowHelpBox(); }

void TF_Search::btnCloseClick() { Close(); }

void TF_Search::AutoCopyFromClipboard() {
    if (!GetConfig().AutoCopy() || !cbxSearchText->Text().empty()) return;
    if (!tk::Clipboard::HasText()) return;
    const std::wstring text = tk::Clipboard::Text();
    // The limit counts the bytes a search would send: GBK, or UTF-8 for a
    // text GBK cannot hold.
    if (SentByteLength(std::u16string(text.begin(), text.end()), SystemGbkCodec()) <= AutoCopyMaxBytes)
        cbxSearchText->SetText(text);
}

}  // namespace quorvex
