// What the error box and the debug output say about an error: the program's
// message first, the system's text for a SystemError's code after it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "base/error.h"

namespace quorvex {
namespace {

TEST(ErrorDescription, TheSystemsTextGoesOnALineBelowTheMessage) {
    EXPECT_EQ(ErrorDescription(Error("Cannot create menu")), "Cannot create menu");
    EXPECT_EQ(ErrorDescription(std::runtime_error("plain")), "plain");
    // No text for the code: the message alone, as before.
    EXPECT_EQ(ErrorDescription(SystemError("Failed to set data for 'Config'", 5)), "Failed to set data for 'Config'");
    EXPECT_EQ(ErrorDescription(SystemError("Cannot create window", 1400, "Invalid window handle.")),
              "Cannot create window.\nInvalid window handle.");
    // A message ending in a stop or a bracket keeps its end as it is.
    EXPECT_EQ(ErrorDescription(SystemError("Done.", 2, "Not found.")), "Done.\nNot found.");
    EXPECT_EQ(ErrorDescription(SystemError("IPersistFile::Load failed (0x80070002)", 0x80070002u, "Not found.")),
              "IPersistFile::Load failed (0x80070002)\nNot found.");
}

TEST(SystemError, KeepsItsMessageCodeAndTextApart) {
    const SystemError e("Cannot open clipboard", 5, "Access denied.");
    EXPECT_STREQ(e.what(), "Cannot open clipboard");
    EXPECT_EQ(e.Code(), 5u);
    EXPECT_EQ(e.SystemText(), "Access denied.");
}

TEST(SwallowedErrorLine, NamesThePlaceTheMessageAndTheCode) {
    const Error plain("Resource not found");
    EXPECT_EQ(SwallowedErrorLine("skin picture", &plain), "Quorvex: skin picture: Resource not found\n");
    const SystemError win32("Resource not found", 1813, "The specified resource type cannot be found.");
    EXPECT_EQ(SwallowedErrorLine("skin picture", &win32), "Quorvex: skin picture: Resource not found (error 1813)\n");
    const SystemError hr("IPersistFile::Save failed (0x80070005)", 0x80070005u);
    EXPECT_EQ(SwallowedErrorLine("start shortcut save", &hr),
              "Quorvex: start shortcut save: IPersistFile::Save failed (0x80070005) (error 0x80070005)\n");
    EXPECT_EQ(SwallowedErrorLine("shutdown", nullptr), "Quorvex: shutdown: unknown error\n");
}

}  // namespace
}  // namespace quorvex
