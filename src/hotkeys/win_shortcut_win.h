#pragma once
// TWinShortcut: a shell link (.lnk) read and written through the system's
// shell-link object (IShellLinkA with IPersistFile). All texts are in the
// system's ANSI code page, as IShellLinkA takes them. Every call's result is
// checked: a failure throws quorvex::Error and stops the operation there.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

namespace quorvex {

// The link's hot-key modifiers, a set of HOTKEYF_* bits.
enum : std::uint8_t {
    hkShift = 0x01,  // HOTKEYF_SHIFT
    hkCtrl = 0x02,   // HOTKEYF_CONTROL
    hkAlt = 0x04,    // HOTKEYF_ALT
    hkExt = 0x08,    // HOTKEYF_EXT
};

class TWinShortcut {
public:
    // Creates the shell-link object (COM must be initialised on this thread).
    TWinShortcut();
    TWinShortcut(const TWinShortcut&) = delete;
    TWinShortcut& operator=(const TWinShortcut&) = delete;

    std::string Arguments;
    std::string Description;
    std::uint16_t HotKey = 0;          // virtual-key code of the link's hot key
    std::uint8_t HotKeyModifiers = 0;  // hkShift | hkCtrl | hkAlt | hkExt
    std::string IconFile;
    std::int32_t IconIndex = 0;
    std::int32_t RunWindow = 0;  // show command
    std::string Target;
    std::string WorkingDirectory;

    const std::string& ShortcutFileName() const { return shortcutFileName_; }
    // Appends ".LNK" unless the name's extension already is that (any case).
    void SetShortcutFileName(const std::string& name);
    const std::string& ShortcutPath() const { return shortcutPath_; }
    // A non-empty path gets a trailing path delimiter.
    void SetShortcutPath(const std::string& path);
    std::int32_t SpecialFolder() const { return specialFolder_; }
    // A CSIDL number; clears ShortcutPath so that the folder decides.
    void SetSpecialFolder(std::int32_t csidl);

    // ShortcutPath, or the special folder's path when that is empty, then the name.
    std::string FullFileName() const;
    // The special folder's path with a trailing delimiter; empty when the
    // folder has no file-system path. Throws when the folder is unknown.
    std::string SpecialFolderPath() const;

    void LoadFromFile();
    void SaveToFile();
    void ReadFields();
    void WriteFields();

    IShellLinkA* ShellLink() const { return shellLink_.Get(); }

private:
    Microsoft::WRL::ComPtr<IShellLinkA> shellLink_;
    Microsoft::WRL::ComPtr<IPersistFile> persistFile_;
    std::string shortcutFileName_;
    std::string shortcutPath_;
    std::int32_t specialFolder_ = 0;
};

// True when `path` ends in a backslash that is a character of its own, not
// the trail byte of a double-byte character of the ANSI code page.
bool EndsWithPathDelimiter(const std::string& path);
std::string IncludeTrailingPathDelimiter(const std::string& path);
// The folder of a file's path, for a link's working folder: without its
// trailing delimiter, except for a root (C:\ or a lone \), which keeps it.
// Empty when the path names no folder.
std::string FolderOfFile(const std::string& path);

// The folder of the launch shortcut: the common Start-menu programs folder
// with "CorvalisV6\" below it. Empty when the system cannot name the folder.
std::string ShortcutFolder();
// The launch shortcut's file name.
constexpr const char* LaunchShortcutName = "Lumetra.lnk";

}  // namespace quorvex
