// The shell-link wrapper against the system's own shell-link object: every
// field survives a write and a read, and the name and folder setters.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "base/error.h"
#include "hotkeys/win_shortcut_win.h"
#include "win/scratch_win.h"

namespace quorvex {
namespace {

class WinShortcutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(WinShortcutTest, EveryFieldSurvivesWriteAndRead) {
    test::ScratchDir dir("shortcut");
    const std::string exe = test::ExePathA();
    {
        TWinShortcut link;
        link.SetShortcutPath(dir.PathA());
        link.SetShortcutFileName("RoundTrip");
        link.Target = exe;
        link.Arguments = "-a \"b c\"";
        link.Description = "描述 text";
        link.WorkingDirectory = dir.PathA();
        link.IconFile = exe;
        link.IconIndex = 3;
        link.RunWindow = SW_SHOWMAXIMIZED;
        link.HotKey = 'S';
        link.HotKeyModifiers = hkCtrl | hkAlt;
        link.SaveToFile();
    }
    const std::string file = dir.PathA() + "\\RoundTrip.LNK";
    ASSERT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
    // The link header holds the show command at 0x3C and the hot-key word at
    // 0x40. Wine's loader does not read the show command back, so the file is
    // the witness for that field.
    unsigned char head[0x44] = {};
    FILE* f = fopen(file.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(fread(head, 1, sizeof head, f), sizeof head);
    fclose(f);
    EXPECT_EQ(head[0x3C], SW_SHOWMAXIMIZED);
    EXPECT_EQ(head[0x40], 'S');
    EXPECT_EQ(head[0x41], HOTKEYF_CONTROL | HOTKEYF_ALT);

    TWinShortcut back;
    back.SetShortcutPath(dir.PathA());
    back.SetShortcutFileName("RoundTrip.LNK");
    back.LoadFromFile();
    EXPECT_TRUE(lstrcmpiA(back.Target.c_str(), exe.c_str()) == 0) << back.Target << " vs " << exe;
    EXPECT_EQ(back.Arguments, "-a \"b c\"");
    EXPECT_EQ(back.Description, "描述 text");
    EXPECT_EQ(back.WorkingDirectory, dir.PathA());
    EXPECT_TRUE(lstrcmpiA(back.IconFile.c_str(), exe.c_str()) == 0) << back.IconFile;
    EXPECT_EQ(back.IconIndex, 3);
    // back.RunWindow: see above.
    EXPECT_EQ(back.HotKey, 'S');
    EXPECT_EQ(back.HotKeyModifiers, hkCtrl | hkAlt);

    // The raw word the shell watches: HOTKEYF_CONTROL | HOTKEYF_ALT with 'S'.
    WORD word = 0;
    ASSERT_TRUE(SUCCEEDED(back.ShellLink()->GetHotkey(&word)));
    EXPECT_EQ(word, 0x0653);
}

TEST_F(WinShortcutTest, MissingFileFailsLoudly) {
    test::ScratchDir dir("missing");
    TWinShortcut link;
    link.SetShortcutPath(dir.PathA() + "\\nowhere");
    link.SetShortcutFileName("absent.lnk");
    // The message names the call and its HRESULT as eight upper-case hex digits.
    try {
        link.LoadFromFile();
        ADD_FAILURE() << "loading a missing link succeeded";
    } catch (const Error& e) {
        const std::string what = e.what();
        const std::string head = "IPersistFile::Load failed (0x8";
        ASSERT_EQ(what.size(), head.size() + 8) << what;
        EXPECT_EQ(what.compare(0, head.size(), head), 0) << what;
        EXPECT_EQ(what.back(), ')') << what;
        EXPECT_EQ(what.find_first_not_of("0123456789ABCDEF", head.size()), what.size() - 1) << what;
    }
    EXPECT_EQ(link.HotKey, 0);
    EXPECT_EQ(link.HotKeyModifiers, 0);
    link.Target = test::ExePathA();
    EXPECT_THROW(link.SaveToFile(), Error);  // folders are never created
}

TEST_F(WinShortcutTest, NameAndFolderSetters) {
    TWinShortcut link;
    link.SetShortcutFileName("Lumetra");
    EXPECT_EQ(link.ShortcutFileName(), "Lumetra.LNK");
    link.SetShortcutFileName("Lumetra.lnk");
    EXPECT_EQ(link.ShortcutFileName(), "Lumetra.lnk");
    link.SetShortcutFileName("a.lnk.txt");
    EXPECT_EQ(link.ShortcutFileName(), "a.lnk.txt.LNK");
    link.SetShortcutFileName("dir.lnk\\file");
    EXPECT_EQ(link.ShortcutFileName(), "dir.lnk\\file.LNK");

    link.SetShortcutPath("C:\\x");
    EXPECT_EQ(link.ShortcutPath(), "C:\\x\\");
    link.SetShortcutPath("C:\\x\\");
    EXPECT_EQ(link.ShortcutPath(), "C:\\x\\");
    link.SetShortcutPath("");
    EXPECT_EQ(link.ShortcutPath(), "");
    // A GBK character whose trail byte is 0x5C is not a delimiter ("\x84\x5C").
    EXPECT_FALSE(EndsWithPathDelimiter("C:\\\x84\x5C"));
    EXPECT_TRUE(EndsWithPathDelimiter("C:\\\x84\x5C\\"));

    // A link's working folder: a root keeps its delimiter ("C:" alone would be
    // drive C's current folder), any other folder loses it, and a GBK trail
    // byte 0x5C does not split a name.
    EXPECT_EQ(FolderOfFile("C:\\quorvex.exe"), "C:\\");
    EXPECT_EQ(FolderOfFile("C:\\Tools\\quorvex.exe"), "C:\\Tools");
    EXPECT_EQ(FolderOfFile("\\quorvex.exe"), "\\");
    EXPECT_EQ(FolderOfFile("C:quorvex.exe"), "C:");
    EXPECT_EQ(FolderOfFile("\\\\server\\share\\quorvex.exe"), "\\\\server\\share");
    EXPECT_EQ(FolderOfFile("C:\\\x84\x5Cq.exe"), "C:\\");
    EXPECT_EQ(FolderOfFile("C:\\\x84\x5C\\q.exe"), "C:\\\x84\x5C");
    EXPECT_EQ(FolderOfFile("quorvex.exe"), "");

    link.SetShortcutPath("C:\\x");
    link.SetSpecialFolder(CSIDL_COMMON_PROGRAMS);
    EXPECT_EQ(link.ShortcutPath(), "");
    char programs[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs)));
    link.SetShortcutFileName("Lumetra.lnk");
    EXPECT_EQ(link.FullFileName(), std::string(programs) + "\\Lumetra.lnk");
    EXPECT_EQ(ShortcutFolder(), std::string(programs) + "\\CorvalisV6\\");
}

}  // namespace
}  // namespace quorvex
