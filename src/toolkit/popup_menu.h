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
    Plain,      // clicks only
    Check,      // a check mark of its own
    Radio,      // a radio mark; checking it clears the other radio items of its group
    Separator,
};

// One row of a menu table. Captions are UTF-8.
struct MenuItemDef {
    const char* Name;
    const char* Caption;
    int Tag = 0;
    MenuItemKind Kind = MenuItemKind::Plain;
    int GroupIndex = 0;
    bool AutoCheck = false;  // clicking toggles (Check) or sets (Radio) the mark
    bool Checked = false;
    bool Default = false;    // shown in bold; the action of a double click
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
};

class PopupMenu : public Component {
public:
    // A menu registered with `form` under `name` (nullptr: not registered).
    // Its items are registered with the form too, under their names.
    PopupMenu(Form* form, std::string name, const MenuItemDef* items, std::size_t count);
    template <std::size_t N>
    PopupMenu(Form* form, std::string name, const MenuItemDef (&items)[N]) : PopupMenu(form, std::move(name), items, N) {}
    PopupMenu(Form& form, std::string name, const MenuItemDef* items, std::size_t count)
        : PopupMenu(&form, std::move(name), items, count) {}
    ~PopupMenu() override;

    std::size_t Count() const { return items_.size(); }
    MenuItem& Item(std::size_t index) const;  // throws RangeError out of range
    MenuItem* FindItem(std::string_view name) const;

    // Opens the menu with its top-left corner at the screen point and runs the
    // chosen item's Click() after the menu has closed. Returns the item, or nullptr.
    MenuItem* Popup(int x, int y);

    // The window that receives the menu's messages (default: the application window).
    void SetOwnerWindow(HWND hwnd) { owner_ = hwnd; }

    // Builds the system menu as it would be shown (for Popup, and for tests).
    HMENU BuildMenu() const;

private:
    Form* form_;
    HWND owner_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace quorvex::tk
