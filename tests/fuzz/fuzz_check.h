#pragma once
// The fuzz targets' invariant check: a broken invariant aborts, which
// libFuzzer reports as a crash and saves the input that caused it.
#include <cstdio>
#include <cstdlib>

namespace quorvex::fuzz {

[[noreturn]] inline void InvariantFailed(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

}  // namespace quorvex::fuzz

// A macro for the expression's text and the line it is on.
#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::quorvex::fuzz::InvariantFailed(#condition, __FILE__, __LINE__))
