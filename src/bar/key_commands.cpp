#include "bar/key_commands.h"

namespace quorvex {

TBarKeyAction BarKeyAction(unsigned key, unsigned modifiers) {
    const unsigned held = modifiers & (KeyShift | KeyAlt | KeyCtrl);
    switch (key) {
    case VkEscape:
        return {TBarCommand::Close};
    case VkDelete:
        return held == KeyCtrl ? TBarKeyAction{TBarCommand::ClearHistory} : TBarKeyAction{};
    case VkF1:
        return {TBarCommand::Help};
    case VkF5:
        return {TBarCommand::Setup};
    default:
        break;
    }
    if (key >= VkA && key <= VkK && (held & KeyAlt)) return {TBarCommand::Category, static_cast<int>(key - VkA)};
    return {};
}

TQueryBoxCommand QueryBoxKeyAction(unsigned key, unsigned modifiers) {
    if (key == VkReturn) return TQueryBoxCommand::SearchFirstVisible;
    if (key == VkA && (modifiers & KeyCtrl)) return TQueryBoxCommand::SelectAll;
    return TQueryBoxCommand::None;
}

}  // namespace quorvex
