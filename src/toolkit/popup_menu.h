#pragma once
// Popup menus built from static tables. Captions are used as given (no
// automatic accelerators): the "&" letters of a caption are the ones shown.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/component.h"

namespace quorvex::tk {

class Form;
class PopupMenu;

enum class MenuItemKind {
    Plain,  // clicks only
    Check,  // a check mark of its own
    Radio,  // a radio mark; checking it clears the other radio items of its group
    Separator,
    Submenu,  // opens another PopupMenu (SetSubmenu)
};

// One row of a menu table, written by kind and then by what differs from the
// kind's defaults, e.g. `Radio("miWeb", "网页").Group(1).Tag(1).AutoCheck()`.
// Captions are UTF-8.
class MenuItemDef {
public:
    static constexpr MenuItemDef Plain(const char* name, const char* caption) {
        return {name, caption, MenuItemKind::Plain};
    }
    static constexpr MenuItemDef Check(const char* name, const char* caption) {
        return {name, caption, MenuItemKind::Check};
    }
    // Checking a radio item clears the other radio items of its group.
    static constexpr MenuItemDef Radio(const char* name, const char* caption) {
        return {name, caption, MenuItemKind::Radio};
    }
    static constexpr MenuItemDef Separator(const char* name) { return {name, "-", MenuItemKind::Separator}; }
    // An item that opens the menu given to it with MenuItem::SetSubmenu.
    static constexpr MenuItemDef Submenu(const char* name, const char* caption) {
        return {name, caption, MenuItemKind::Submenu};
    }

    constexpr MenuItemDef Tag(int tag) const { return With(&MenuItemDef::tag_, tag); }
    constexpr MenuItemDef Group(int group) const { return With(&MenuItemDef::group_, group); }
    // Clicking toggles (Check) or sets (Radio) the mark.
    constexpr MenuItemDef AutoCheck() const { return With(&MenuItemDef::autoCheck_, true); }
    constexpr MenuItemDef Checked() const { return With(&MenuItemDef::checked_, true); }
    // Shown in bold; the action of a double click.
    constexpr MenuItemDef Default() const { return With(&MenuItemDef::default_, true); }

private:
    friend class MenuItem;
    constexpr MenuItemDef(const char* name, const char* caption, MenuItemKind kind)
        : name_(name), caption_(caption), kind_(kind) {}
    template <typename T>
    constexpr MenuItemDef With(T MenuItemDef::*field, T value) const {
        MenuItemDef copy = *this;
        copy.*field = value;
        return copy;
    }

    const char* name_;
    const char* caption_;
    MenuItemKind kind_;
    int tag_ = 0;
    int group_ = 0;
    bool autoCheck_ = false;
    bool checked_ = false;
    bool default_ = false;
};

class MenuItem : public Component {
public:
    using ClickEvent = std::function<void(MenuItem& sender)>;

    MenuItem(PopupMenu& menu, const MenuItemDef& def);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
    MenuItemKind Kind() const { return kind_; }
    bool RadioItem() const { return kind_ == MenuItemKind::Radio; }
    int GroupIndex() const { return group_; }
    bool AutoCheck() const { return autoCheck_; }
    bool IsDefault() const { return default_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }

    bool Checked() const { return checked_; }
    // Checking a radio item clears the other radio items of its group.
    void SetChecked(bool on);

    // The menu a Submenu item opens (not owned; it must outlive this item's menus).
    PopupMenu* Submenu() const { return submenu_; }
    void SetSubmenu(PopupMenu* submenu) { submenu_ = submenu; }

    // What a choice of the item does: the automatic mark, then OnClick.
    void Click();

    ClickEvent OnClick;

private:
    PopupMenu* menu_;
    std::wstring caption_;
    MenuItemKind kind_;
    int group_;
    bool autoCheck_;
    bool checked_;
    bool default_;
    bool enabled_ = true;
    bool visible_ = true;
    PopupMenu* submenu_ = nullptr;
};

class PopupMenu : public Component {
public:
    // A menu registered with `form` under `name` (nullptr: not registered).
    // Its items are registered with the form too, under their names.
    PopupMenu(Form* form, std::string name, const MenuItemDef* items, std::size_t count);
    template <std::size_t N>
    PopupMenu(Form* form, std::string name, const MenuItemDef (&items)[N])
        : PopupMenu(form, std::move(name), items, N) {}
    PopupMenu(Form& form, std::string name, const MenuItemDef* items, std::size_t count)
        : PopupMenu(&form, std::move(name), items, count) {}
    ~PopupMenu() override;

    std::size_t Count() const { return items_.size(); }
    // Replaces every item (for menus whose rows follow the data, e.g. a list
    // of names); the old items, and any pointer to them, are gone.
    void SetItems(const MenuItemDef* items, std::size_t count);
    MenuItem& Item(std::size_t index) const;  // throws RangeError out of range
    MenuItem* FindItem(std::string_view name) const;

    // Opens the menu with its top-left corner at the screen point and runs the
    // chosen item's Click() after the menu has closed. Returns the item, or nullptr.
    MenuItem* Popup(int x, int y);

    // Runs when Popup is about to show the menu: the place to rebuild items
    // (SetItems), which an item's own OnClick must never do.
    std::function<void(PopupMenu& sender)> OnPopup;

    // The window that receives the menu's messages (default: the application window).
    void SetOwnerWindow(HWND hwnd) { owner_ = hwnd; }

    // Builds the system menu as it would be shown (for Popup, and for tests),
    // submenus included.
    HMENU BuildMenu() const;

private:
    // Appends the visible items to `menu`; each item's command id is its
    // position in `commands` (from FirstCommand), submenus' items included.
    void BuildInto(HMENU menu, std::vector<MenuItem*>& commands, int depth) const;
    void RegisterItems();
    void UnregisterItems();

    Form* form_;
    HWND owner_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace quorvex::tk
