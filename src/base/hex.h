#pragma once
// Eight upper-case hex digits of a 32-bit value, the way the system spells
// keyboard-layout ids and HRESULTs. Formatted by hand: the C library's printf
// family would pull MinGW's own formatter (some 20 KiB) into the program.
#include <cstdint>
#include <string>

namespace quorvex {

template <class Char>
void AppendHex8(std::basic_string<Char>& out, std::uint32_t value) {
    for (int shift = 28; shift >= 0; shift -= 4) {
        out += static_cast<Char>("0123456789ABCDEF"[(value >> shift) & 0xFu]);
    }
}

}  // namespace quorvex
