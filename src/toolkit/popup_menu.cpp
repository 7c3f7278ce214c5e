#include "toolkit/popup_menu.h"

#include "base/checked.h"
#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/text.h"

namespace quorvex::tk {
namespace {
constexpr UINT FirstCommand = 100;
// A menu reached through itself would never end.
constexpr int MaxSubmenuDepth = 8;
}  // namespace

MenuItem::MenuItem(PopupMenu& menu, const MenuItemDef& def)
    : menu_(&menu),
      caption_(Utf8ToWide(def.caption_ ? def.caption_ : "")),
      kind_(def.kind_),
      group_(def.group_),
      autoCheck_(def.autoCheck_),
      checked_(def.checked_),
      default_(def.default_) {
    SetName(def.name_ ? def.name_ : "");
    SetTag(def.tag_);
}

void MenuItem::SetChecked(bool on) {
    checked_ = on;
    if (!on || kind_ != MenuItemKind::Radio) return;
    for (std::size_t i = 0; i < menu_->Count(); ++i) {
        MenuItem& other = menu_->Item(i);
        if (&other != this && other.RadioItem() && other.GroupIndex() == group_) other.checked_ = false;
    }
}

void MenuItem::Click() {
    if (autoCheck_) {
        if (kind_ == MenuItemKind::Radio) SetChecked(true);
        else if (kind_ == MenuItemKind::Check) SetChecked(!checked_);
    }
    if (OnClick) OnClick(*this);
}

PopupMenu::PopupMenu(Form* form, std::string name, const MenuItemDef* items, std::size_t count) : form_(form) {
    SetName(std::move(name));
    for (std::size_t i = 0; i < count; ++i) items_.push_back(std::make_unique<MenuItem>(*this, items[i]));
    if (form_) form_->RegisterComponent(this);
    RegisterItems();
}

PopupMenu::~PopupMenu() {
    UnregisterItems();
    if (form_) form_->UnregisterComponent(this);
}

void PopupMenu::RegisterItems() {
    if (form_)
        for (auto& item : items_) form_->RegisterComponent(item.get());
}

void PopupMenu::UnregisterItems() {
    if (form_)
        for (auto& item : items_) form_->UnregisterComponent(item.get());
}

void PopupMenu::SetItems(const MenuItemDef* items, std::size_t count) {
    std::vector<std::unique_ptr<MenuItem>> made;
    for (std::size_t i = 0; i < count; ++i) made.push_back(std::make_unique<MenuItem>(*this, items[i]));
    UnregisterItems();
    items_ = std::move(made);
    RegisterItems();
}

MenuItem& PopupMenu::Item(std::size_t index) const { return *items_[CheckedIndex(index, items_.size())]; }

MenuItem* PopupMenu::FindItem(std::string_view name) const {
    for (const auto& item : items_) {
        if (!name.empty() && item->Name() == name) return item.get();
    }
    return nullptr;
}

HMENU PopupMenu::BuildMenu() const {
    std::vector<MenuItem*> commands;
    UniqueMenu menu(ThrowLastErrorIfNull(CreatePopupMenu(), "Cannot create menu"));
    BuildInto(menu.get(), commands, 0);
    return menu.release();
}

void PopupMenu::BuildInto(HMENU menu, std::vector<MenuItem*>& commands, int depth) const {
    if (depth > MaxSubmenuDepth) throw Error("Cannot create menu");
    for (const auto& owned : items_) {
        MenuItem& item = *owned;
        const UINT id = FirstCommand + static_cast<UINT>(commands.size());
        commands.push_back(&item);
        if (!item.Visible()) continue;
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        mii.wID = id;
        std::wstring caption = item.Caption();
        UniqueMenu sub;
        if (item.Kind() == MenuItemKind::Separator) {
            mii.fMask = MIIM_FTYPE | MIIM_ID;
            mii.fType = MFT_SEPARATOR;
        } else {
            mii.fType = MFT_STRING | (item.RadioItem() ? MFT_RADIOCHECK : 0);
            mii.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.IsDefault() ? MFS_DEFAULT : 0) |
                         (item.Enabled() ? 0 : MFS_DISABLED);
            mii.dwTypeData = caption.data();
            mii.cch = static_cast<UINT>(caption.size());
            if (item.Kind() == MenuItemKind::Submenu && item.Submenu()) {
                sub.reset(ThrowLastErrorIfNull(CreatePopupMenu(), "Cannot create menu"));
                item.Submenu()->BuildInto(sub.get(), commands, depth + 1);
                mii.fMask |= MIIM_SUBMENU;
                mii.hSubMenu = sub.get();
            }
        }
        ThrowIfWin32BoolFalse(InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii),
                              "Cannot create menu");
        sub.release();  // destroyed with the menu it now belongs to
    }
}

MenuItem* PopupMenu::Popup(int x, int y) {
    HWND owner = owner_;
    if (!owner && Application::Current()) owner = Application::Current()->Handle();
    if (OnPopup) OnPopup(*this);
    std::vector<MenuItem*> commands;
    UniqueMenu menu(ThrowLastErrorIfNull(CreatePopupMenu(), "Cannot create menu"));
    BuildInto(menu.get(), commands, 0);
    // The menu closes properly on a click elsewhere only when its owner is
    // the foreground window.
    SetForegroundWindow(owner);
    const UINT cmd = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON | TPM_RETURNCMD, x,
                         y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (cmd < FirstCommand || cmd - FirstCommand >= commands.size()) return nullptr;
    MenuItem* chosen = commands[cmd - FirstCommand];
    chosen->Click();
    return chosen;
}

}  // namespace quorvex::tk
