// The bar's construction (the design-time controls and FormCreate), its
// placement and its shutdown.
#include "bar/search_bar_win.h"

#include "base/dpi_scale.h"
#include "base/error.h"

#include <utility>

#include "bar/bar_accessible_win.h"
#include "bar/bar_history_win.h"
#include "bar/bar_windowing_win.h"
#include "bar/hints.h"
#include "bar/placement.h"
#include "bar/suggest_box_win.h"
#include "base/desktop_win.h"
#include "base/os_version_win.h"
#include "base/trace_win.h"
#include "config/config.h"
#include "resource_ids.h"
#include "search/search_types.h"
#include "toolkit/application.h"
#include "toolkit/font.h"
#include "toolkit/guard.h"
#include "toolkit/image.h"
#include "toolkit/speed_button.h"
#include "toolkit/text.h"
#include "widgets/bitmap_button_win.h"

namespace quorvex {
namespace {

constexpr int DesignClientWidth = 727;
constexpr int BarHeight = 55;
constexpr int ButtonTop = 27;
constexpr int ButtonHeight = 22;
// The category captions sit on the dark skin: a warm off-white keeps them
// readable whatever the system's button text colour (black on most systems).
constexpr COLORREF CaptionTextColor = RGB(236, 230, 216);

tk::FormParams BarParams() {
    tk::FormParams p{SearchBarClassName, L""};
    p.Style = WS_POPUP | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_TOPMOST | WS_EX_LAYERED;
    p.ClientWidth = DesignClientWidth;
    p.ClientHeight = BarHeight;
    return p;
}

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// The skin is decoration: a picture that cannot be loaded leaves its place
// empty and the bar keeps working.
tk::Picture JpegOrEmpty(int id) {
    try {
        return tk::Picture::FromJpegResource(Module(), id);
    } catch (const Error&) {
        TraceSwallowedError("skin picture");
        return {};
    }
}

tk::Picture BitmapOrEmpty(int id) {
    try {
        return tk::Picture::FromBitmapResource(Module(), id);
    } catch (const Error&) {
        TraceSwallowedError("skin bitmap");
        return {};
    }
}

}  // namespace

TF_Search::TF_Search() : tk::Form(BarParams()) {
    CreateControls();
    accessibility_ = std::make_unique<BarAccessibility>(*this, *cbxSearchText);
    InitWindowing();
    FormCreate();
}

TF_Search::~TF_Search() = default;

// The controls as the form's design has them, back to front.
void TF_Search::CreateControls() {
    SetFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET});

    auto& imgLeft = Make<tk::Image>("imgLeft", 0, 0, 22, BarHeight);
    imgLeft.SetAutoSize(true);
    auto& imgMid = Make<tk::Image>("imgMid", 22, 0, DesignClientWidth - 22 - 24, BarHeight);
    imgMid.SetStretch(true);
    imgMid.SetAnchors(tk::akLeft | tk::akTop | tk::akRight);
    auto& imgRight = Make<tk::Image>("imgRight", DesignClientWidth - 24, 0, 24, BarHeight);
    imgRight.SetAnchors(tk::akTop | tk::akRight);
    auto& imgCaption = Make<tk::Image>("imgCaption", 14, 6, 93, 18);
    imgCaption.SetAutoSize(true);

    // The minimise and close pills: bitmap buttons sized by their images.
    const auto makePill = [this](const char* name, int left, int normal, int active, int down,
                                 const char* hint) -> TBitmapButton& {
        auto& b = Make<TBitmapButton>(name, left, 8);
        b.BeginLoading();
        // Like the skin, the images are decoration: a missing one leaves the
        // button at its default look rather than failing the bar.
        for (auto [which, id] : {std::pair{TButtonImage::Normal, normal}, std::pair{TButtonImage::Active, active},
                                 std::pair{TButtonImage::Down, down}}) {
            try {
                b.SetBitmapFromResource(which, Module(), id);
            } catch (const Error&) {
                TraceSwallowedError("pill image");
            }
        }
        b.SetFont(tk::CreateUiFont(tk::FontRequest{L"宋体", 12, DEFAULT_CHARSET}, Dpi()).get());
        b.SetHint(tk::Utf8ToWide(hint));
        b.SetAnchors(tk::akTop | tk::akRight);
        b.EndLoading();
        b.SetAutoSize(true);
        return b;
    };
    auto& btnMin =
        makePill("btnMin", DesignClientWidth - 54, IDB_MIN_NORMAL, IDB_MIN_ACTIVE, IDB_MIN_DOWN, MinimizeHint);
    btnMin.OnClick = [this](tk::GraphicControl&) { btnMinClick(); };
    auto& btnClose =
        makePill("btnClose", DesignClientWidth - 30, IDB_CLOSE_NORMAL, IDB_CLOSE_ACTIVE, IDB_CLOSE_DOWN, CloseHint);
    btnClose.OnClick = [this](tk::GraphicControl&) { btnCloseClick(); };

    cbxSearchText = &Make<tk::ComboBox>("cbxSearchText", 8, 28, 120, 20);
    cbxSearchText->SetMaxLength(100);
    cbxSearchText->SetItemHeight(12);
    cbxSearchText->OnKeyDown = [this](tk::WinControl&, unsigned& key, tk::ShiftState shift) {
        cbxSearchTextKeyDown(key, shift);
    };
    cbxSearchText->OnEnter = [this](tk::WinControl&) { cbxSearchTextEnter(); };
    cbxSearchText->OnExit = [this](tk::WinControl&) { cbxSearchTextExit(); };
    suggest_ = std::make_unique<TSuggestBox>(*this, *cbxSearchText);
    suggest_->OnPick = [this](const std::wstring&) {
        if (tk::GraphicControl* b = FirstVisibleSearchButton()) b->Click();
    };

    // Category buttons with their design tags 1..11; the tags, hints and
    // click handlers of the running program are set by InitButtons.
    int x = 130;
    for (int i = 0; i < SearchTypeCount; ++i) {
        auto& b = Make<tk::SpeedButton>(SearchButtonName(i), x, ButtonTop, 48, ButtonHeight);
        b.SetCaption(tk::Utf8ToWide(SearchTypes[static_cast<std::size_t>(i)].Caption));
        b.SetCaptionColor(CaptionTextColor);
        b.SetTag(i + 1);
        x += 49;
    }
    auto& btnSearchType = Make<tk::SpeedButton>("btnSearchType", x, ButtonTop, 13, ButtonHeight);
    btnSearchType.OnClick = [this](tk::GraphicControl& sender) { btnSearchTypeClick(sender); };
    auto& btnSetup = Make<tk::SpeedButton>("btnSetup", x + 14, ButtonTop, 22, ButtonHeight);
    btnSetup.OnClick = [this](tk::GraphicControl& sender) { btnSetupClick(sender); };
    Make<tk::SpeedButton>("btnHelp", x + 37, ButtonTop, 22, ButtonHeight);
    LoadArtwork();

    CreateMenus();
    btnSearchType.SetPopupMenu(pmnuSearchType);
    btnSetup.SetPopupMenu(pmnuConfig);

    SetKeyPreview(true);
    OnKeyDown = [this](unsigned& key, tk::ShiftState shift) { FormKeyDown(key, shift); };
    OnShow = [this](tk::Form&) { FormShow(); };
    OnDestroy = [this](tk::Form&) { FormDestroy(); };
}

// The skin, the title and the glyphs from the artwork for the bar's scale:
// 100 % at 96 DPI, the 200 % set above (drawn scaled down between).
void TF_Search::LoadArtwork() {
    const int percent = ArtworkPercentFor(Dpi());
    const int offset = percent == 200 ? ID_SCALE_200_OFFSET : 0;
    auto image = [this](const char* name) { return Find<tk::Image>(name); };
    if (auto* i = image("imgLeft")) i->SetPicture(JpegOrEmpty(IDR_SKIN_LEFT + offset), percent);
    if (auto* i = image("imgMid")) i->SetPicture(JpegOrEmpty(IDR_SKIN_MID + offset), percent);
    if (auto* i = image("imgRight")) i->SetPicture(JpegOrEmpty(IDR_SKIN_RIGHT + offset), percent);
    if (auto* i = image("imgCaption")) {
        tk::Picture caption = BitmapOrEmpty(IDB_CAPTION + offset);
        caption.MakeBottomLeftTransparent();
        i->SetPicture(std::move(caption), percent);
    }
    auto glyph = [&](const std::string& name, int id) {
        if (auto* b = Find<tk::SpeedButton>(name)) b->SetGlyph(BitmapOrEmpty(id + offset), percent);
    };
    for (int i = 0; i < SearchTypeCount; ++i) glyph(SearchButtonName(i), IDB_GLYPH_BASE + i);
    glyph("btnSearchType", IDB_GLYPH_SEARCHTYPE);
    glyph("btnSetup", IDB_GLYPH_SETUP);
    glyph("btnHelp", IDB_GLYPH_HELP);
}

void TF_Search::FormCreate() {
    if (IsVistaOrLater()) altFix_ = std::make_unique<TVistaAltFix>();
    // Opaque until the window-level work dims it.
    SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
    try {
        GetConfig().Load();
    } catch (...) {
        // The settings are at their first-run values now: report the error
        // and finish setting up the bar with them, so it works normally.
        tk::ReportCurrentException();
    }
    try {
        InitButtons();
        InitMenus();
        ArrangeButtons();
        PlaceBar();
        AutoCopyFromClipboard();
    } catch (...) {
        tk::ReportCurrentException();
    }
}

void TF_Search::InitButtons() {
    for (int i = 0; i < SearchTypeCount; ++i) {
        auto* b = Find<tk::GraphicControl>(SearchButtonName(i));
        if (!b) continue;
        b->SetTag(i);
        b->OnClick = [this](tk::GraphicControl& sender) { SearchButtonClick(sender); };
    }
    SyncCategoryHints();
    if (auto* b = Find<tk::GraphicControl>("btnSetup")) b->SetHint(tk::Utf8ToWide(SetupHint));
    if (auto* b = Find<tk::GraphicControl>("btnHelp")) {
        b->SetHint(tk::Utf8ToWide(HelpHint));
        b->OnClick = [this](tk::GraphicControl&) { btnHelpClick(); };
    }
    LoadHistory(*cbxSearchText);
}

void TF_Search::SyncCategoryHints() {
    const TSearchEngines& engines = GetConfig().Engines();
    for (int i = 0; i < SearchTypeCount; ++i) {
        auto* b = Find<tk::GraphicControl>(SearchButtonName(i));
        if (!b) continue;
        const TSearchEngine* by = engines.EngineFor(SearchTypes[static_cast<std::size_t>(i)].Key);
        const bool elsewhere = by && by != engines.CurrentEngine();
        b->SetHint(tk::Utf8ToWide(elsewhere ? CategoryHintOn(i, by->Name) : CategoryHint(i)));
    }
    AccessibleRowChanged();
}

void TF_Search::AccessibleRowChanged() {
    if (accessibility_) accessibility_->RowChanged();
}

void TF_Search::PlaceBar() {
    const TConfig& cfg = GetConfig();
    const TDesktop desktop = CurrentDesktop(TTaskbarQuery::Ask);
    std::optional<TPointI> p = RestoreStoredPosition(cfg.WindowLeft(), cfg.WindowTop(), desktop, Width(), Height());
    if (!p) p = PlaceNearTaskbar(desktop, Width(), Height());
    if (p) SetBounds(p->X, p->Y, Width(), Height());
}

// The controls were rescaled with the form: the row is laid out again at the
// new DPI, and the bar takes its design height there.
void TF_Search::DpiChanged(int, int) {
    LoadArtwork();
    SetClientSize(ClientWidth(), Scale(BarHeight));
    ArrangeButtons();
}

// A display change may have taken the bar's monitor away or shrunk it.
void TF_Search::KeepOnDesktop() {
    const RECT r = BoundsRect();
    if (const auto p = ::quorvex::KeepOnDesktop(CurrentDesktop(), ToRectI(r))) SetBounds(p->X, p->Y, Width(), Height());
}

void TF_Search::FormShow() {
    if (shownOnce_) return;
    shownOnce_ = true;
    if (RegisterHotKeyStep) RegisterHotKeyStep(*this);
}

void TF_Search::FormDestroy() {
    // Once only, also when the end of the session ran it already.
    windowing_->RunShutdownOnce();
}

// Every step may fail (registry not writable, ...): the program still ends,
// and the steps after a failing one are skipped (the caller swallows the error).
void TF_Search::ShutdownSequence() {
    // No request may outlive the settings it was made from.
    suggest_->Stop();
    TConfig& cfg = GetConfig();
    const TStoredPosition stored = StorePosition(Left(), Top(), CurrentDesktop());
    cfg.SetWindowLeft(stored.Left);
    cfg.SetWindowTop(stored.Top);
    SaveHistory(*cbxSearchText);
    cfg.Save();
    if (UnregisterHotKeyStep) UnregisterHotKeyStep(*this);
}

}  // namespace quorvex
