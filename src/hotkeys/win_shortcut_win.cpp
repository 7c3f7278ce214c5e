#include "hotkeys/win_shortcut_win.h"

#include <shlobj.h>

#include <memory>

#include "base/error.h"
#include "base/hex.h"
#include "base/system_error_win.h"

namespace quorvex {

namespace {

constexpr int TextBufferSize = 260;

void Check(HRESULT hr, const char* call) {
    if (SUCCEEDED(hr)) return;
    std::string text = std::string(call) + " failed (0x";
    AppendHex8(text, static_cast<std::uint32_t>(hr));
    ThrowSystemError(text + ")", static_cast<std::uint32_t>(hr));
}

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) ThrowLastError("Path cannot be converted");
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

bool SameTextAscii(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

// The extension from the name's last '.', unless a path delimiter follows it.
std::string ExtractExt(const std::string& name) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return {};
    const auto delim = name.find_last_of("\\:");
    if (delim != std::string::npos && delim > dot) return {};
    return name.substr(dot);
}

struct CoTaskFree {
    void operator()(void* p) const { CoTaskMemFree(p); }
};

}  // namespace

bool EndsWithPathDelimiter(const std::string& path) {
    if (path.empty() || path.back() != '\\') return false;
    // Walk the characters: the final byte counts only if it starts a character.
    std::size_t i = 0;
    const std::size_t last = path.size() - 1;
    while (i < last) i += IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(path[i])) ? 2 : 1;
    return i == last;
}

std::string FolderOfFile(const std::string& path) {
    // Walk the characters: a double-byte character may end in 0x5C.
    std::size_t delim = std::string::npos;
    for (std::size_t i = 0; i < path.size();) {
        const char c = path[i];
        if (c == '\\' || c == ':') delim = i;
        i += IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) && i + 1 < path.size() ? 2 : 1;
    }
    if (delim == std::string::npos) return {};
    // A root keeps its delimiter: "C:" alone is drive C's current folder.
    const bool root = path[delim] == ':' || delim == 0 || (delim == 2 && path[1] == ':');
    return path.substr(0, root ? delim + 1 : delim);
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
    return EndsWithPathDelimiter(path) ? path : path + '\\';
}

TWinShortcut::TWinShortcut() {
    Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                           reinterpret_cast<void**>(shellLink_.GetAddressOf())),
          "CoCreateInstance(ShellLink)");
    Check(shellLink_.As(&persistFile_), "QueryInterface(IPersistFile)");
}

void TWinShortcut::SetShortcutFileName(const std::string& name) {
    shortcutFileName_ = name;
    if (!SameTextAscii(ExtractExt(name), ".LNK")) shortcutFileName_ += ".LNK";
}

void TWinShortcut::SetShortcutPath(const std::string& path) {
    shortcutPath_ = path.empty() ? path : IncludeTrailingPathDelimiter(path);
}

void TWinShortcut::SetSpecialFolder(std::int32_t csidl) {
    specialFolder_ = csidl;
    shortcutPath_.clear();
}

std::string TWinShortcut::SpecialFolderPath() const {
    LPITEMIDLIST raw = nullptr;
    Check(SHGetSpecialFolderLocation(nullptr, specialFolder_, &raw), "SHGetSpecialFolderLocation");
    std::unique_ptr<ITEMIDLIST, CoTaskFree> list(raw);
    char buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(list.get(), buffer)) return {};
    return IncludeTrailingPathDelimiter(buffer);
}

std::string TWinShortcut::FullFileName() const {
    return (shortcutPath_.empty() ? SpecialFolderPath() : shortcutPath_) + shortcutFileName_;
}

void TWinShortcut::LoadFromFile() {
    const std::wstring name = AnsiToWide(FullFileName());
    Check(persistFile_->Load(name.c_str(), STGM_READWRITE), "IPersistFile::Load");
    ReadFields();
}

void TWinShortcut::SaveToFile() {
    WriteFields();
    const std::wstring name = AnsiToWide(FullFileName());
    Check(persistFile_->Save(name.c_str(), TRUE), "IPersistFile::Save");
}

void TWinShortcut::ReadFields() {
    char buffer[TextBufferSize];
    WIN32_FIND_DATAA findData{};
    buffer[0] = '\0';
    Check(shellLink_->GetPath(buffer, TextBufferSize, &findData, SLGP_UNCPRIORITY), "GetPath");
    Target = buffer;
    buffer[0] = '\0';
    Check(shellLink_->GetArguments(buffer, TextBufferSize), "GetArguments");
    Arguments = buffer;
    buffer[0] = '\0';
    Check(shellLink_->GetDescription(buffer, TextBufferSize), "GetDescription");
    Description = buffer;
    buffer[0] = '\0';
    Check(shellLink_->GetWorkingDirectory(buffer, TextBufferSize), "GetWorkingDirectory");
    WorkingDirectory = buffer;
    buffer[0] = '\0';
    int icon = 0;
    Check(shellLink_->GetIconLocation(buffer, TextBufferSize, &icon), "GetIconLocation");
    IconFile = buffer;
    IconIndex = icon;
    int show = 0;
    Check(shellLink_->GetShowCmd(&show), "GetShowCmd");
    RunWindow = show;
    WORD hotKey = 0;
    Check(shellLink_->GetHotkey(&hotKey), "GetHotkey");
    HotKey = LOBYTE(hotKey);
    HotKeyModifiers = HIBYTE(hotKey) & (hkShift | hkCtrl | hkAlt | hkExt);
}

void TWinShortcut::WriteFields() {
    Check(shellLink_->SetPath(Target.c_str()), "SetPath");
    Check(shellLink_->SetIconLocation(IconFile.c_str(), IconIndex), "SetIconLocation");
    Check(shellLink_->SetDescription(Description.c_str()), "SetDescription");
    Check(shellLink_->SetWorkingDirectory(WorkingDirectory.c_str()), "SetWorkingDirectory");
    Check(shellLink_->SetArguments(Arguments.c_str()), "SetArguments");
    Check(shellLink_->SetShowCmd(RunWindow), "SetShowCmd");
    const WORD hotKey = static_cast<WORD>(((HotKeyModifiers & 0x0F) << 8) + HotKey);
    Check(shellLink_->SetHotkey(hotKey), "SetHotkey");
}

std::string ShortcutFolder() {
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, buffer)) ||
        buffer[0] == '\0') {
        // Without the folder there is no shortcut to read or write: an empty
        // answer, which callers take as "no launch shortcut".
        return {};
    }
    return IncludeTrailingPathDelimiter(buffer) + "CorvalisV6\\";
}

}  // namespace quorvex
