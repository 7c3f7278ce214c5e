// The Run value's command line as the registry hands it over (any bytes;
// written by this program, another program or the user), and the command
// this program writes for a path, read back.
#include <string>
#include <string_view>

#include "bar/sign_in_start.h"
#include "base/error.h"
#include "fuzz/fuzz_check.h"

using namespace quorvex;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The same path as the file system sees names: A-Z in either case, either slash.
std::string Respelled(std::string_view path) {
    std::string out(path);
    for (std::size_t i = 0; i < out.size(); ++i) {
        char& c = out[i];
        if (c >= 'a' && c <= 'z' && i % 2 == 0) c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z' && i % 2 == 1) c = static_cast<char>(c - 'A' + 'a');
        else if (c == '\\') c = '/';
        else if (c == '/') c = '\\';
    }
    return out;
}

void CheckCommand(std::string_view command) {
    const std::string program = RunCommandProgram(command);
    FUZZ_CHECK(Trimmed(program) == program);
    const std::string_view trimmed = Trimmed(command);
    if (!trimmed.empty() && trimmed.front() == '"') {
        // A quoted program: what the quotes hold; no program without the closing one.
        const std::size_t close = trimmed.find('"', 1);
        FUZZ_CHECK(program.find('"') == std::string::npos);
        if (close == std::string_view::npos) {
            FUZZ_CHECK(program.empty());
        } else {
            FUZZ_CHECK(Trimmed(trimmed.substr(1, close - 1)) == program);
        }
    } else {
        FUZZ_CHECK(program == trimmed);  // unquoted: the whole command, spaces and all
    }
    // A command starts the program it names, however that is spelled, and no program when it names none.
    FUZZ_CHECK(RunCommandStarts(command, program) == !program.empty());
    FUZZ_CHECK(RunCommandStarts(command, Respelled(program)) == !program.empty());
    FUZZ_CHECK(!RunCommandStarts(command, program + "x"));
    FUZZ_CHECK(SameProgramPath(program, Respelled(program)));
    FUZZ_CHECK(SameProgramPath(Respelled(program), program));
}

// The input as this program's own path: the command written for it names it.
void CheckCommandFor(std::string_view path) {
    std::string command;
    try {
        command = RunCommandFor(path);
    } catch (const Error&) {
        FUZZ_CHECK(path.empty() || path.find('"') != std::string_view::npos);
        return;
    }
    FUZZ_CHECK(!path.empty() && path.find('"') == std::string_view::npos);
    FUZZ_CHECK(RunCommandProgram(command) == Trimmed(path));
    FUZZ_CHECK(RunCommandProgram(command + " /min") == Trimmed(path));
    FUZZ_CHECK(RunCommandStarts(command, path) == !Trimmed(path).empty());
    FUZZ_CHECK(RunCommandStarts("  " + command + " -x  ", Respelled(path)) == !Trimmed(path).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckCommand(input);
    CheckCommandFor(input);
    return 0;
}
