#pragma once
// What the bar's keys do. The bar sees every key first (key preview); the
// query box then sees the same key. Neither consumes it.
namespace quorvex {

// Modifier bits as the key handlers receive them.
enum : unsigned { KeyShift = 1, KeyAlt = 2, KeyCtrl = 4 };

// Virtual-key codes used here (the platform's values).
enum : unsigned {
    VkReturn = 13,
    VkEscape = 27,
    VkDelete = 46,
    VkA = 65,
    VkK = 75,
    VkF1 = 112,
    VkF5 = 116,
};

enum class TBarCommand {
    None,
    Close,         // Esc, whatever the modifiers
    ClearHistory,  // Ctrl+Delete, with neither Shift nor Alt
    Help,          // F1: the help button's click, even while it is hidden
    Setup,         // F5: the setup button's click
    Category,      // Alt+A .. Alt+K: the category button of index key - 'A'
};

struct TBarKeyAction {
    TBarCommand Command = TBarCommand::None;
    int Category = -1;  // for TBarCommand::Category
};

TBarKeyAction BarKeyAction(unsigned key, unsigned modifiers);

enum class TQueryBoxCommand {
    None,
    SearchFirstVisible,  // Enter
    SelectAll,           // Ctrl+A (other modifiers allowed)
};

TQueryBoxCommand QueryBoxKeyAction(unsigned key, unsigned modifiers);

}  // namespace quorvex
