#pragma once
// The program's error type. Failures are thrown and travel to the nearest
// handler: the window-procedure boundary shows them in the error box.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvex {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A failure the system reported with an error code (a Win32 status or
// GetLastError value), kept for whoever handles it; the message is the text shown.
class SystemError : public Error {
public:
    SystemError(const std::string& message, std::uint32_t code) : Error(message), code_(code) {}
    std::uint32_t Code() const { return code_; }

private:
    std::uint32_t code_;
};

// Raised by checked arithmetic and checked indexing.
class RangeError : public Error {
public:
    explicit RangeError(const std::string& message) : Error(message) {}
};

}  // namespace quorvex
