#include "base/error.h"

#include "base/hex.h"

namespace quorvex {

std::string ErrorDescription(const std::exception& e) {
    std::string text = e.what();
    const auto* system = dynamic_cast<const SystemError*>(&e);
    if (!system || system->SystemText().empty()) return text;
    if (!text.empty() && text.back() > '.') text += '.';
    return text + '\n' + system->SystemText();
}

std::string SwallowedErrorLine(std::string_view where, const std::exception* e) {
    std::string line = "Quorvex: ";
    line += where;
    line += ": ";
    line += e ? e->what() : "unknown error";
    if (const auto* system = dynamic_cast<const SystemError*>(e)) {
        line += " (error ";
        if (system->Code() >= 0x10000u) {
            line += "0x";
            AppendHex8(line, system->Code());
        } else {
            line += std::to_string(system->Code());
        }
        line += ')';
    }
    return line + '\n';
}

}  // namespace quorvex
