#pragma once
// Debug output for what the user is never shown: a debugger or a debug-output
// viewer sees it, nothing is written to disk and no box opens.
#include <string>

namespace quorvex {

// Sends one line (UTF-8; a line break is added when missing).
void TraceLine(std::string line) noexcept;

// Records the exception being handled, inside a catch block that swallows it on
// purpose: its message and, for a SystemError, its code (SwallowedErrorLine).
void TraceSwallowedError(const char* where) noexcept;

}  // namespace quorvex
