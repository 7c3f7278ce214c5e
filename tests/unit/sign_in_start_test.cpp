// The Run command that starts the program at sign-in: which program a
// command names, when that is this program, and the command written.
#include <gtest/gtest.h>

#include "bar/sign_in_start.h"
#include "base/error.h"

namespace quorvex {
namespace {

constexpr const char* Program = "C:\\Program Files\\Quorvex\\Quorvex.exe";

TEST(SignInStart, ProgramOfACommand) {
    EXPECT_EQ(RunCommandProgram("\"C:\\a b\\Q.exe\""), "C:\\a b\\Q.exe");
    // Arguments after the quoted path and blanks around it do not count.
    EXPECT_EQ(RunCommandProgram("  \"C:\\a b\\Q.exe\" /min  "), "C:\\a b\\Q.exe");
    EXPECT_EQ(RunCommandProgram("\" C:\\Q.exe \""), "C:\\Q.exe");
    // Unquoted: the whole command is the path (spaces and all).
    EXPECT_EQ(RunCommandProgram("C:\\Program Files\\Q.exe "), "C:\\Program Files\\Q.exe");
    EXPECT_EQ(RunCommandProgram(""), "");
    EXPECT_EQ(RunCommandProgram("   "), "");
    EXPECT_EQ(RunCommandProgram("\"C:\\Q.exe"), "");  // unclosed quote
    EXPECT_EQ(RunCommandProgram("\"\""), "");
}

TEST(SignInStart, CommandStartsThisProgramWhateverTheCaseAndSlashes) {
    EXPECT_TRUE(RunCommandStarts("\"C:\\Program Files\\Quorvex\\Quorvex.exe\"", Program));
    EXPECT_TRUE(RunCommandStarts("\"c:\\program files\\QUORVEX\\quorvex.EXE\"", Program));
    EXPECT_TRUE(RunCommandStarts("C:/Program Files/Quorvex/Quorvex.exe", Program));
    EXPECT_TRUE(RunCommandStarts("\"C:\\Program Files\\Quorvex\\Quorvex.exe\" -x", Program));
    // Another copy, a longer or shorter name, nothing at all: not this program.
    EXPECT_FALSE(RunCommandStarts("\"D:\\Quorvex\\Quorvex.exe\"", Program));
    EXPECT_FALSE(RunCommandStarts("\"C:\\Program Files\\Quorvex\\Quorvex.exe2\"", Program));
    EXPECT_FALSE(RunCommandStarts("\"C:\\Program Files\\Quorvex\\Quorvex.ex\"", Program));
    EXPECT_FALSE(RunCommandStarts("", Program));
    EXPECT_FALSE(RunCommandStarts("\"\"", ""));
    EXPECT_FALSE(RunCommandStarts("\"C:\\Program Files\\Quorvex\\Quorvex.exe", Program));
}

TEST(SignInStart, OnlyAsciiLettersFoldTheirCase) {
    // UTF-8 "É" and "é" differ: no guess beyond A-Z; a mismatch only means
    // the next choice writes this program's path again.
    EXPECT_FALSE(SameProgramPath("C:\\\xC3\x89t\xC3\xA9\\Q.exe", "C:\\\xC3\xA9t\xC3\xA9\\Q.exe"));
    EXPECT_TRUE(SameProgramPath("C:\\\xE6\x90\x9C\xE7\xB4\xA2\\q.exe", "c:\\\xE6\x90\x9C\xE7\xB4\xA2\\Q.EXE"));
    // Bytes of a multi-byte character are never folded into letters.
    EXPECT_FALSE(SameProgramPath("\xC3\xA1", "\xC3\x81"));
}

TEST(SignInStart, CommandForAProgramRoundTrips) {
    const std::string command = RunCommandFor(Program);
    EXPECT_EQ(command, "\"C:\\Program Files\\Quorvex\\Quorvex.exe\"");
    EXPECT_TRUE(RunCommandStarts(command, Program));
    EXPECT_EQ(RunCommandProgram(command), Program);
    EXPECT_THROW(RunCommandFor(""), Error);
    EXPECT_THROW(RunCommandFor("C:\\a\"b\\Q.exe"), Error);
}

}  // namespace
}  // namespace quorvex
