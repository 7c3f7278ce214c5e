// The bar's two menus: their tables, check marks and handlers.
#include <iterator>
#include <string>
#include <vector>

#include "bar/layout.h"
#include "bar/search_bar_win.h"
#include "bar/sign_in_start_win.h"

#include "widgets/add_engine_dialog_win.h"
#include "widgets/custom_buttons_win.h"
#include "config/config.h"
#include "search/search_types.h"
#include "toolkit/handles.h"

namespace quorvex {
namespace {

using tk::MenuItemDef;

// The forum's category bit: it has no compact form of its own.
constexpr std::int32_t ForumBit = 32;

// One item per category, in table order, tagged with the category's bit. A
// chosen category's radio item marks itself; the forum's item belongs to the
// group but is no radio item and does not mark itself.
std::vector<MenuItemDef> SearchTypeItems() {
    std::vector<MenuItemDef> items;
    for (const TSearchTypeDef& type : SearchTypes) {
        const char* name = SearchMenuItemName(type.Id);
        items.push_back(type.Bit == ForumBit
                            ? MenuItemDef::Plain(name, type.Caption).Group(1).Tag(type.Bit)
                            : MenuItemDef::Radio(name, type.Caption).Group(1).Tag(type.Bit).AutoCheck());
    }
    return items;
}

// A display mode: marked by code, after the choice took effect.
constexpr MenuItemDef DisplayMode(const char* name, const char* caption, int mode) {
    return MenuItemDef::Radio(name, caption).Group(1).Tag(mode);
}
// An option that toggles its own check mark.
constexpr MenuItemDef Option(const char* name, const char* caption) {
    return MenuItemDef::Check(name, caption).AutoCheck();
}

const MenuItemDef ConfigItems[] = {
    Option("miShowCaption", "显示按钮文字(&T)"),
    Option("miShowHelp", "显示帮助按钮(&H)"),
    Option("miAutoCopy", "自动从剪贴板复制文本(&C)"),
    Option("miAutoOpenIME", "自动打开输入法(&I)"),
    Option("miMinToTrayIcon", "最小化到托盘区(&M)"),
    MenuItemDef::Plain("miHotKey", "自定义热键(&K)..."),
    MenuItemDef::Separator("miSplitter"),
    DisplayMode("miShowAll", "显示全部按钮(&1)", bmShowAll),
    DisplayMode("miShowCompact", "显示紧凑模式(&2)", bmShowCompact),
    DisplayMode("miShowCustom", "自定义显示按钮(&3)...", bmShowCustom),
    MenuItemDef::Separator("miSplitterSignIn"),
    // Marked from the user's Run value, not from the settings record.
    MenuItemDef::Check("miStartAtSignIn", "开机时启动(&B)"),
    Option("miSuggest", "输入时显示搜索建议(&G)"),
    // The rows of the engine collection (SyncEngineMenu).
    MenuItemDef::Submenu("miEngines", "搜索引擎(&E)"),
};

// A name shown as a menu caption: "&" would make the next letter an accelerator.
std::string MenuCaptionOf(const std::string& name) {
    std::string caption;
    for (char c : name) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

}  // namespace

void TF_Search::CreateMenus() {
    const std::vector<MenuItemDef> searchTypes = SearchTypeItems();
    pmnuSearchType = &Make<tk::PopupMenu>("pmnuSearchType", searchTypes.data(), searchTypes.size());
    pmnuConfig = &Make<tk::PopupMenu>("pmnuConfig", std::begin(ConfigItems), std::size(ConfigItems));
    pmnuEngines = &Make<tk::PopupMenu>("pmnuEngines", nullptr, 0);
    pmnuSearchType->SetOwnerWindow(Handle());
    pmnuConfig->SetOwnerWindow(Handle());
    pmnuEngines->SetOwnerWindow(Handle());
    if (tk::MenuItem* item = pmnuConfig->FindItem("miEngines")) item->SetSubmenu(pmnuEngines);
    // Rebuilt at every opening, so a choice's handler never replaces the row it runs from.
    pmnuConfig->OnPopup = [this](tk::PopupMenu&) { SyncEngineMenu(); };
}

void TF_Search::SyncEngineMenu() {
    const TSearchEngines& engines = GetConfig().Engines();
    std::vector<std::string> names, captions;
    for (int i = 0; i < engines.Count(); ++i) {
        names.push_back("miEngine" + std::to_string(i));
        captions.push_back(MenuCaptionOf(engines.Items(i).Name));
    }
    std::vector<MenuItemDef> rows;
    for (std::size_t i = 0; i < names.size(); ++i)
        rows.push_back(MenuItemDef::Radio(names[i].c_str(), captions[i].c_str()).Group(1).Tag(static_cast<int>(i)));
    rows.push_back(MenuItemDef::Separator("miEngineSplitter"));
    rows.push_back(MenuItemDef::Plain("miAddEngine", "添加搜索引擎(&A)..."));
    rows.push_back(MenuItemDef::Plain("miDeleteEngine", "删除当前搜索引擎(&D)"));
    pmnuEngines->SetItems(rows.data(), rows.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        pmnuEngines->Item(i).OnClick = [this](tk::MenuItem& sender) { miEngineClick(sender.Tag()); };
    if (tk::MenuItem* add = pmnuEngines->FindItem("miAddEngine"))
        add->OnClick = [this](tk::MenuItem&) { miAddEngineClick(); };
    if (tk::MenuItem* del = pmnuEngines->FindItem("miDeleteEngine"))
        del->OnClick = [this](tk::MenuItem&) { miDeleteEngineClick(); };
    MarkEngineMenu();
}

void TF_Search::MarkEngineMenu() {
    const TSearchEngines& engines = GetConfig().Engines();
    const TSearchEngine* current = engines.CurrentEngine();
    for (std::size_t i = 0; i < pmnuEngines->Count(); ++i) {
        tk::MenuItem& item = pmnuEngines->Item(i);
        if (!item.RadioItem()) continue;
        const int index = item.Tag();
        item.SetChecked(index < engines.Count() && &engines.Items(index) == current);
    }
    if (tk::MenuItem* del = pmnuEngines->FindItem("miDeleteEngine")) del->SetEnabled(current && current->UserDefined);
}

void TF_Search::miEngineClick(int index) {
    TSearchEngines& engines = GetConfig().Engines();
    if (index < 0 || index >= engines.Count()) return;
    engines.SelectEngine(engines.Items(index).Name);
    MarkEngineMenu();
    SyncCategoryHints();
}

void TF_Search::miAddEngineClick() {
    // Dimmed while the dialog is open, as for the other dialogs.
    Perform(WM_ACTIVATEAPP, 0, 0);
    tk::ScopeExit reactivate([this] { Perform(WM_ACTIVATEAPP, 1, 0); });
    ShowAddEngineDialog(Handle());
    MarkEngineMenu();
    SyncCategoryHints();
}

void TF_Search::miDeleteEngineClick() {
    if (!GetConfig().DeleteCurrentEngine()) return;
    MarkEngineMenu();
    SyncCategoryHints();
}

void TF_Search::InitMenus() {
    TConfig& cfg = GetConfig();
    struct CheckItem {
        const char* name;
        bool (TConfig::*get)() const;
        void (TConfig::*set)(bool);
        bool arranges;
    };
    static const CheckItem checks[] = {
        {"miShowCaption", &TConfig::ShowCaption, &TConfig::SetShowCaption, true},
        {"miShowHelp", &TConfig::ShowHelp, &TConfig::SetShowHelp, true},
        {"miAutoCopy", &TConfig::AutoCopy, &TConfig::SetAutoCopy, false},
        {"miAutoOpenIME", &TConfig::AutoOpenIME, &TConfig::SetAutoOpenIME, false},
        {"miMinToTrayIcon", &TConfig::MinToTrayIcon, &TConfig::SetMinToTrayIcon, false},
        {"miSuggest", &TConfig::Suggest, &TConfig::SetSuggest, false},
    };
    for (const CheckItem& c : checks) {
        tk::MenuItem* item = pmnuConfig->FindItem(c.name);
        if (!item) continue;
        item->SetChecked((cfg.*c.get)());
        item->OnClick = [this, c](tk::MenuItem& sender) {
            (GetConfig().*c.set)(sender.Checked());
            if (c.arranges) ArrangeButtons();
        };
    }
    const char* modeItems[] = {"miShowAll", "miShowCompact", "miShowCustom"};
    for (int mode = bmShowAll; mode <= bmShowCustom; ++mode) {
        tk::MenuItem* item = pmnuConfig->FindItem(modeItems[mode - 1]);
        if (!item) continue;
        if (cfg.ButtonMode() == mode) item->SetChecked(true);
        else item->SetChecked(false);
        item->OnClick = [this](tk::MenuItem& sender) { miShowModeClick(sender); };
    }
    if (tk::MenuItem* item = pmnuConfig->FindItem("miStartAtSignIn"))
        item->OnClick = [this](tk::MenuItem&) { miStartAtSignInClick(); };
    SyncSignInMenuItem();
    SyncEngineMenu();
    SyncSearchTypeMenu();
    for (std::size_t i = 0; i < pmnuSearchType->Count(); ++i)
        pmnuSearchType->Item(i).OnClick = [this](tk::MenuItem& sender) { SearchTypeItemClick(sender); };
}

void TF_Search::SyncSearchTypeMenu() {
    const TConfig& cfg = GetConfig();
    if (cfg.ButtonMode() != bmShowCompact) return;
    for (std::size_t i = 0; i < pmnuSearchType->Count(); ++i) {
        tk::MenuItem& item = pmnuSearchType->Item(i);
        if (item.Tag() == cfg.ButtonMask()) {
            item.SetChecked(true);
            return;
        }
    }
    if (tk::MenuItem* web = pmnuSearchType->FindItem("miWeb")) web->SetChecked(true);
}

void TF_Search::SyncSignInMenuItem() {
    if (tk::MenuItem* item = pmnuConfig->FindItem("miStartAtSignIn"))
        item->SetChecked(StartsAtSignIn(ThisProgramPath()));
}

void TF_Search::miStartAtSignInClick() {
    // Decided by the value as it is now: the installer or another copy of
    // the program may have changed it since the menu was marked. A value
    // naming another program counts as off, so the choice writes ours.
    const std::string program = ThisProgramPath();
    SetStartAtSignIn(!StartsAtSignIn(program), program);
    SyncSignInMenuItem();
}

void TF_Search::SearchTypeItemClick(tk::MenuItem& item) {
    GetConfig().SetButtonMask(item.Tag());
    ArrangeButtons();
    tk::GraphicControl* b = FirstVisibleSearchButton();
    if (b && !cbxSearchText->Text().empty()) b->Click();
}

void TF_Search::miShowModeClick(tk::MenuItem& item) {
    TConfig& cfg = GetConfig();
    switch (item.Tag()) {
    case bmShowAll:
        cfg.SetButtonMode(bmShowAll);
        break;
    case bmShowCompact:
        cfg.SetButtonMode(bmShowCompact);
        SyncSearchTypeMenu();
        break;
    case bmShowCustom: {
        cfg.SetButtonMode(bmShowCustom);
        // The bar is dimmed while the dialog is open, and comes back (with a
        // clipboard check) afterwards, also when the dialog failed.
        Perform(WM_ACTIVATEAPP, 0, 0);
        tk::ScopeExit reactivate([this] { Perform(WM_ACTIVATEAPP, 1, 0); });
        // Modal; each change is stored and laid out at once.
        ShowCustomButtonsDialog(Handle(), cfg.ButtonMask(), [this](std::int32_t mask) {
            GetConfig().SetButtonMask(mask);
            Perform(WM_APP_ARRANGE, 0, 0);
        });
        break;
    }
    default:
        break;
    }
    const char* modeItems[] = {"miShowAll", "miShowCompact", "miShowCustom"};
    for (int mode = bmShowAll; mode <= bmShowCustom; ++mode) {
        if (tk::MenuItem* m = pmnuConfig->FindItem(modeItems[mode - 1])) m->SetChecked(cfg.ButtonMode() == mode);
    }
    ArrangeButtons();
}

}  // namespace quorvex
