#pragma once
// The program's error type. Failures are thrown and travel to the nearest
// handler: the window-procedure boundary shows them in the error box.
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace quorvex {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A failure the system reported with an error code (a Win32 status, a
// GetLastError value or an HRESULT), kept for whoever handles it. what() is the
// program's own message; SystemText() the system's words for the code, which
// the error box shows below it (base/system_error_win.h fills it in).
class SystemError : public Error {
public:
    SystemError(const std::string& message, std::uint32_t code, std::string systemText = {})
        : Error(message), code_(code), systemText_(std::move(systemText)) {}
    std::uint32_t Code() const { return code_; }
    const std::string& SystemText() const { return systemText_; }

private:
    std::uint32_t code_;
    std::string systemText_;
};

// Raised by checked arithmetic and checked indexing.
class RangeError : public Error {
public:
    explicit RangeError(const std::string& message) : Error(message) {}
};

// What the error box says about e: its message, and for a SystemError with the
// system's text that text on a line of its own (the message then ends in ".").
std::string ErrorDescription(const std::exception& e);

// The debug-output line that records an error a catch block swallows on
// purpose: "Quorvex: <where>: <message>", then " (error <code>)" for a
// SystemError (HRESULTs and other large codes as 0x and eight hex digits).
std::string SwallowedErrorLine(std::string_view where, const std::exception* e);

}  // namespace quorvex
