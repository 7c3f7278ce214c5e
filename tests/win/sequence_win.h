#pragma once
// Sequences whose order is what a test checks (system calls, events,
// messages): recorded as text, compared whole. A mismatch prints expected and
// actual side by side and marks the first step where they part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex::test {

using Sequence = std::vector<std::string>;

inline ::testing::AssertionResult SameSequence(const char* actualExpr, const char* expectedExpr, const Sequence& actual,
                                               const Sequence& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    std::size_t width = 8;
    for (const std::string& s : expected) width = std::max(width, s.size());
    std::ostringstream out;
    out << actualExpr << " is not the sequence " << expectedExpr << ":\n"
        << "  #  expected" << std::string(width + 2 - 8, ' ') << "   actual\n";
    bool marked = false;
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "(end)";
        const std::string got = i < actual.size() ? actual[i] : "(end)";
        const bool differs = want != got;
        out << "  " << i << ": " << want << std::string(width + 2 - std::min(width, want.size()), ' ')
            << (differs ? "!= " : "   ") << got;
        if (differs && !marked) {
            out << "   <- first difference";
            marked = true;
        }
        out << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
}

}  // namespace quorvex::test

// EXPECT_SEQUENCE(actual, expected): both are test::Sequence.
#define EXPECT_SEQUENCE(actual, expected) EXPECT_PRED_FORMAT2(::quorvex::test::SameSequence, actual, expected)
