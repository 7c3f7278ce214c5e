#include "hotkeys/hotkey_edit_state.h"

namespace quorvex {

TBaseHotKey SplitBaseHotKey(std::uint16_t value) {
    TBaseHotKey key;
    key.Key = static_cast<std::uint16_t>(value & 0x1FFF);
    if (value & HotKeyShift) key.Modifiers |= HotKeyfShift;
    if (value & HotKeyCtrl) key.Modifiers |= HotKeyfControl;
    if (value & HotKeyAlt) key.Modifiers |= HotKeyfAlt;
    return key;
}

std::uint16_t BaseHotKeyWord(const TBaseHotKey& key) {
    return static_cast<std::uint16_t>((key.Key & 0xFF) | (key.Modifiers << 8));
}

std::uint16_t HotKeyFromBaseWord(std::uint16_t word) {
    const unsigned high = (word >> 8) & 0xFF;
    const unsigned low = word & 0xFF;
    return static_cast<std::uint16_t>(((high << 13) & 0xFFFF) | low);
}

std::string DisplayFormOf(const std::string& compact) {
    if (compact.empty()) return "无";
    std::string out;
    out.reserve(compact.size() + 8);
    for (char c : compact) {
        if (c == '+') out += " + ";
        else out += c;
    }
    return out;
}

THotKeyEditState::THotKeyEditState(Base base) : FBase(std::move(base)) {}

std::uint16_t THotKeyEditState::HotKey() const {
    std::uint16_t value = FBase.GetHotKey();
    if (FWinKey) value |= HotKeyWin;
    return value;
}

void THotKeyEditState::SetHotKey(std::uint16_t value) {
    FWinKey = (value & HotKeyWin) != 0;
    FBase.SetHotKey(value);
    FBase.Repaint();
}

std::string THotKeyEditState::DisplayText(const THotKeyTextFn& toText) const {
    std::uint16_t value = HotKey();
    // Win shows while the key is held, before any other key is pressed.
    if (FWinKey || FWinKeyDown) value |= HotKeyWin;
    return DisplayFormOf(toText(value, true));
}

void THotKeyEditState::WinKeyMessage(unsigned keyMessage) {
    if (!AllowWinKey) return;
    bool changed = false;
    if (keyMessage == KeyMsgDown || keyMessage == KeyMsgSysDown) {
        if (!FWinKeyDown) {
            // A new combination starts from scratch.
            if ((FBase.GetHotKey() & 0xFF) != 0) FBase.SetHotKey(0);
            FWinKey = false;
            changed = true;
        }
        FWinKeyDown = true;
    } else if (keyMessage == KeyMsgUp || keyMessage == KeyMsgSysUp) {
        if (FWinKey && (FBase.GetHotKey() & 0xFF) == 0) {
            FWinKey = false;
            changed = true;
        }
        FWinKeyDown = false;
    }
    // Announce a cleared Win flag, or any event while Win belongs to the value.
    if (changed != FWinKey && FBase.Changed) FBase.Changed();
    FBase.Repaint();
}

namespace {
bool IsModifierKey(unsigned virtualKey) { return virtualKey >= 0x10 && virtualKey <= 0x12; }
}  // namespace

void THotKeyEditState::KeyDown(unsigned virtualKey) {
    FWinKey = FWinKeyDown;
    if (!IsModifierKey(virtualKey)) FPressedKey = virtualKey;
}

void THotKeyEditState::KeyUp(unsigned virtualKey) {
    if (IsModifierKey(virtualKey)) return;  // Shift, Ctrl, Alt
    if (virtualKey != FPressedKey) return;  // pressed before this box had the focus
    FPressedKey = 0;
    FWinKey = FWinKeyDown;
    FBase.Repaint();
}

void THotKeyEditState::FocusExit() {
    FWinKeyDown = false;
    FPressedKey = 0;
}

}  // namespace quorvex
