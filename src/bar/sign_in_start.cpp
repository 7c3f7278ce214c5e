#include "bar/sign_in_start.h"

#include "base/error.h"

namespace quorvex {

namespace {

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

char FoldPathChar(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return c == '/' ? '\\' : c;
}

}  // namespace

std::string RunCommandProgram(std::string_view command) {
    command = TrimBlanks(command);
    if (command.empty() || command.front() != '"') return std::string(command);
    const auto close = command.find('"', 1);
    if (close == std::string_view::npos) return {};
    return std::string(TrimBlanks(command.substr(1, close - 1)));
}

bool SameProgramPath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldPathChar(a[i]) != FoldPathChar(b[i])) return false;
    }
    return true;
}

bool RunCommandStarts(std::string_view command, std::string_view programPath) {
    const std::string program = RunCommandProgram(command);
    return !program.empty() && SameProgramPath(program, TrimBlanks(programPath));
}

std::string RunCommandFor(std::string_view programPath) {
    if (programPath.empty()) throw Error("The program's path is unknown");
    if (programPath.find('"') != std::string_view::npos) throw Error("The program's path holds a quote");
    return "\"" + std::string(programPath) + "\"";
}

}  // namespace quorvex
