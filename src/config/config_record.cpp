#include "config/config_record.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

namespace {

void Put16(TConfigImage& image, std::size_t at, std::uint16_t v) {
    image[at] = static_cast<std::uint8_t>(v & 0xFF);
    image[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(TConfigImage& image, std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
}

std::uint16_t Get16(const TConfigImage& image, std::size_t at) {
    return static_cast<std::uint16_t>(image[at] | (image[at + 1] << 8));
}

std::int32_t Get32(const TConfigImage& image, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(image[at + i]) << (8 * i);
    // Two's complement reinterpretation without relying on implementation-defined conversion.
    return u <= 0x7FFFFFFFu ? static_cast<std::int32_t>(u) : -static_cast<std::int32_t>(~u) - 1;
}

bool IsGbkLead(std::uint8_t b) { return b >= 0x81 && b <= 0xFE; }
bool IsGbkTrail(std::uint8_t b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Length of the character starting at `i`: 2 for a lead byte followed by a
// trail byte, otherwise 1.
std::size_t CharLength(const std::uint8_t* p, std::size_t n, std::size_t i) {
    if (IsGbkLead(p[i]) && i + 1 < n && IsGbkTrail(p[i + 1])) return 2;
    return 1;
}

// Whether the first `n` bytes end in a lead byte without its trail. Only a
// walk from the start finds the boundaries: a trail byte can look like ASCII.
bool EndsInLoneLead(const std::uint8_t* p, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        const std::size_t len = CharLength(p, n, i);
        if (i + len == n) return len == 1 && IsGbkLead(p[i]);
        i += len;
    }
    return false;
}

}  // namespace

bool TConfigRec::operator==(const TConfigRec& other) const { return EncodeConfigRec(*this) == EncodeConfigRec(other); }

TConfigImage EncodeConfigRec(const TConfigRec& rec) {
    TConfigImage image{};
    image[0] = rec.ShowCaption;
    image[1] = rec.ShowHelp;
    image[2] = rec.AutoCopy;
    image[3] = rec.AutoOpenIME;
    image[4] = rec.MinToTrayIcon;
    image[5] = rec.ReservedFlag;
    Put16(image, 6, rec.TrayHotKey);
    Put16(image, 8, rec.SecondTrayHotKey);
    image[10] = rec.ButtonMode;
    image[11] = rec.Alignment;
    Put32(image, 12, rec.ButtonMask);
    Put32(image, 16, rec.WindowLeft);
    Put32(image, 20, rec.WindowTop);
    for (std::size_t s = 0; s < HistorySlotCount; ++s)
        std::copy(rec.History[s].begin(), rec.History[s].end(), image.begin() + HistoryOffset + s * HistorySlotSize);
    return image;
}

TConfigRec DecodeConfigRec(const TConfigImage& image) {
    TConfigRec rec;
    rec.ShowCaption = image[0];
    rec.ShowHelp = image[1];
    rec.AutoCopy = image[2];
    rec.AutoOpenIME = image[3];
    rec.MinToTrayIcon = image[4];
    rec.ReservedFlag = image[5];
    rec.TrayHotKey = Get16(image, 6);
    rec.SecondTrayHotKey = Get16(image, 8);
    rec.ButtonMode = image[10];
    rec.Alignment = image[11];
    rec.ButtonMask = Get32(image, 12);
    rec.WindowLeft = Get32(image, 16);
    rec.WindowTop = Get32(image, 20);
    for (std::size_t s = 0; s < HistorySlotCount; ++s) {
        const auto from = image.begin() + HistoryOffset + s * HistorySlotSize;
        std::copy(from, from + HistorySlotSize, rec.History[s].begin());
    }
    return rec;
}

void OverlayConfigBytes(TConfigRec& rec, const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    TConfigImage image = EncodeConfigRec(rec);
    std::memcpy(image.data(), data, std::min(size, ConfigRecSize));
    rec = DecodeConfigRec(image);
}

std::size_t GbkCutLength(const std::string& text, std::size_t limit) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t len = CharLength(p, n, i);
        if (i + len > limit) break;
        i += len;
    }
    return i;
}

THistorySlot MakeHistorySlot(const std::string& text) {
    THistorySlot slot{};
    const std::size_t n = GbkCutLength(text, HistorySlotSize);
    std::memcpy(slot.data(), text.data(), n);
    return slot;
}

std::string ReadHistorySlot(const THistorySlot& slot) {
    std::size_t n = 0;
    while (n < HistorySlotSize && slot[n] != 0) ++n;
    // Trailing blanks and half a character go until neither ends the text:
    // dropping either can uncover the other ("ab\xB0 " loses the blank, then
    // the lead byte).
    for (;;) {
        while (n > 0 && slot[n - 1] <= 0x20) --n;
        if (n == 0 || !EndsInLoneLead(slot.data(), n)) break;
        --n;
    }
    std::size_t start = 0;
    while (start < n && slot[start] <= 0x20) ++start;
    if (start == n) return {};
    return std::string(reinterpret_cast<const char*>(slot.data()), n);
}

}  // namespace quorvex
