#pragma once
// The text of the help box (UTF-8): twelve lines separated by CR LF, no line
// break after the last one.
#include <string>

namespace quorvex {

std::string HelpText();

// The help box style: MB_OK | MB_ICONINFORMATION.
constexpr unsigned HelpBoxFlags = 0x40;

}  // namespace quorvex
