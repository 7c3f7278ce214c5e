#pragma once
// Starting the program when the user signs in: the value under the user's
// "Run" key that names it, read and written as UTF-8 text.
#include <string>
#include <string_view>

namespace quorvex {

// The program a Run command starts: the text inside the leading quotes when
// it starts with one (arguments after them are ignored), otherwise the
// whole command; surrounding blanks removed. Empty for a blank command or an
// unclosed quote.
std::string RunCommandProgram(std::string_view command);

// Whether two paths name the same file as the file system sees names: letters
// A-Z compared without case, '/' taken as '\'. Other characters must match.
bool SameProgramPath(std::string_view a, std::string_view b);

// Whether the Run command starts the program at `programPath`.
bool RunCommandStarts(std::string_view command, std::string_view programPath);

// The Run command for the program: its path in quotes. Throws Error for an
// empty path or one holding a quote, which no command line could carry.
std::string RunCommandFor(std::string_view programPath);

}  // namespace quorvex
