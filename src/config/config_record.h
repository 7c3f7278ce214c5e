#pragma once
// The settings record and its stored image. The registry value holds exactly
// these 664 bytes, little-endian; the image is built field by field so that
// every build (32- or 64-bit, any compiler) writes the same bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

constexpr std::size_t ConfigRecSize = 664;
constexpr std::size_t HistorySlotCount = 20;
constexpr std::size_t HistorySlotSize = 32;
constexpr std::size_t HistoryOffset = 24;

// Display modes of the category buttons.
enum TButtonMode : std::uint8_t {
    bmShowAll = 1,
    bmShowCompact = 2,
    bmShowCustom = 3,
};

using THistorySlot = std::array<std::uint8_t, HistorySlotSize>;
using TConfigImage = std::array<std::uint8_t, ConfigRecSize>;

struct TConfigRec {
    // Truth bytes keep the byte that was stored (0 false, anything else
    // true) so that a load followed by a save writes the same value back.
    std::uint8_t ShowCaption = 0;                          // offset 0
    std::uint8_t ShowHelp = 0;                             // 1
    std::uint8_t AutoCopy = 0;                             // 2
    std::uint8_t AutoOpenIME = 0;                          // 3
    std::uint8_t MinToTrayIcon = 0;                        // 4
    std::uint8_t ReservedFlag = 0;                         // 5, written by the defaults, never read
    std::uint16_t TrayHotKey = 0;                          // 6
    std::uint16_t SecondTrayHotKey = 0;                    // 8, carried through load and save
    std::uint8_t ButtonMode = 0;                           // 10
    std::uint8_t Alignment = 0;                            // 11, no meaning; kept as read
    std::int32_t ButtonMask = 0;                           // 12
    std::int32_t WindowLeft = 0;                           // 16, thousandths of the screen width
    std::int32_t WindowTop = 0;                            // 20, thousandths of the screen height
    std::array<THistorySlot, HistorySlotCount> History{};  // 24, 20 x 32 bytes

    bool operator==(const TConfigRec& other) const;
    bool operator!=(const TConfigRec& other) const { return !(*this == other); }
};

TConfigImage EncodeConfigRec(const TConfigRec& rec);
TConfigRec DecodeConfigRec(const TConfigImage& image);

// Copies `size` bytes over the start of the record's image (at most 664);
// the fields beyond them keep what the record held.
void OverlayConfigBytes(TConfigRec& rec, const std::uint8_t* data, std::size_t size);

// History slots <-> texts (GBK bytes).
//
// A text is cut to at most 32 bytes at a character boundary: a GBK
// double-byte character that would straddle byte 32 is left out rather than
// split, so the slot never ends in half a character. ASCII texts keep
// exactly their first 32 bytes.
THistorySlot MakeHistorySlot(const std::string& text);
// The slot's text: bytes up to the first zero (or all 32), without trailing
// bytes <= 0x20 or a dangling lead byte at the end (slots written by older
// versions may end in one), whichever ends it, until neither does; so the
// text never ends in half a character. Empty when nothing but blanks remains.
std::string ReadHistorySlot(const THistorySlot& slot);
// Length of the longest prefix of `text` within `limit` bytes that does not
// end inside a double-byte character.
std::size_t GbkCutLength(const std::string& text, std::size_t limit);

}  // namespace quorvex
