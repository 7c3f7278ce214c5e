// The hand-made hex formatter stands in for "%08X": always eight digits,
// upper case, leading zeros kept, appended after what is already there.
#include <gtest/gtest.h>

#include <string>

#include "base/hex.h"

namespace quorvex {
namespace {

TEST(Hex8, EightUpperCaseDigitsWithLeadingZeros) {
    const struct {
        std::uint32_t value;
        const char* text;
    } cases[] = {{0u, "00000000"},          {0xFu, "0000000F"},        {0xE00E0804u, "E00E0804"},
                 {0x80070002u, "80070002"}, {0xFFFFFFFFu, "FFFFFFFF"}, {0x0ABCDEF1u, "0ABCDEF1"}};
    for (const auto& c : cases) {
        std::string out;
        AppendHex8(out, c.value);
        EXPECT_EQ(out, c.text) << std::hex << c.value;
    }
}

TEST(Hex8, AppendsToNarrowAndWideText) {
    std::string narrow = "Load failed (0x";
    AppendHex8(narrow, 0x80004005u);
    EXPECT_EQ(narrow, "Load failed (0x80004005");
    std::wstring wide = L"Layouts\\";
    AppendHex8(wide, 0x00000804u);
    EXPECT_EQ(wide, L"Layouts\\00000804");
}

}  // namespace
}  // namespace quorvex
