#include "hotkeys/hotkey_text_link_win.h"

#include <windows.h>

#include <exception>

#include "toolkit/text.h"

namespace quorvex {

namespace {

std::string KeyName(unsigned key) {
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    const UINT scan = MapVirtualKeyW(key, 0);
    if (scan == 0) return {};
    wchar_t name[64] = {};
    if (GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64) <= 0) return {};
    return tk::WideToUtf8(name);
}

}  // namespace

std::string HotKeyTextForDisplay(std::uint16_t value, bool allowEmptyKey) {
    const std::string name = KeyName(value & 0xFF);
    if (!allowEmptyKey && name.empty()) return {};
    std::string text;
    if (value & 0x1000) text += "Win+";
    if (value & 0x4000) text += "Ctrl+";
    if (value & 0x2000) text += "Shift+";
    if (value & 0x8000) text += "Alt+";
    return text + name;
}

void ReportHotKeyBoxError() {
    try {
        throw;
    } catch (const std::exception& e) {
        OutputDebugStringW(tk::Utf8ToWide(e.what()).c_str());
    } catch (...) {
        OutputDebugStringW(L"Unknown error in the hot-key box");
    }
}

}  // namespace quorvex
