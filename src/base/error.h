#pragma once
// The program's error type. Failures are thrown and travel to the nearest
// handler: the window-procedure boundary shows them in the error box.
#include <stdexcept>
#include <string>

namespace quorvex {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Raised by checked arithmetic and checked indexing.
class RangeError : public Error {
public:
    explicit RangeError(const std::string& message) : Error(message) {}
};

}  // namespace quorvex
