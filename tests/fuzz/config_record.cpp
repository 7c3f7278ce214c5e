// The settings record as the registry hands it over: any type, any length,
// any bytes. Input: one byte choosing the value's type (0xFF: no value; bit
// 4: load over changed settings instead of new ones), then the value's bytes.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/error.h"
#include "config/config.h"
#include "config/config_record.h"
#include "fuzz/fuzz_check.h"

using namespace quorvex;

namespace {

constexpr std::size_t HeadSize = HistoryOffset;  // the fields before the history
constexpr std::size_t AlignmentByte = 11;        // kept as read, never defaulted
constexpr std::size_t MaskFirst = 12, MaskLast = 15;

bool IsMaskByte(std::size_t k) { return k >= MaskFirst && k <= MaskLast; }

// Settings unlike the defaults in every byte, so that what a load leaves
// alone and what it puts back can be told apart.
void ChangeEverything(TConfig& cfg) {
    TConfigImage image;
    for (std::size_t k = 0; k < image.size(); ++k) image[k] = static_cast<std::uint8_t>(0xA0 + k * 7);
    cfg.Rec() = DecodeConfigRec(image);
}

// The head equals the defaults' head (alignment aside), the rest is `before`'s.
bool HoldsDefaultsOver(const TConfigImage& after, const TConfigImage& before) {
    const TConfigImage defaults = EncodeConfigRec(TConfig().Rec());
    for (std::size_t k = 0; k < ConfigRecSize; ++k) {
        const std::uint8_t want = k < HeadSize && k != AlignmentByte ? defaults[k] : before[k];
        if (after[k] != want) return false;
    }
    return true;
}

std::int32_t Le32(const TConfigImage& image, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i) u |= std::uint32_t{image[at + i]} << (8 * i);
    std::int32_t v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

void CheckGettersRead(const TConfig& cfg, const TConfigImage& image) {
    FUZZ_CHECK(cfg.ShowCaption() == (image[0] != 0));
    FUZZ_CHECK(cfg.ShowHelp() == (image[1] != 0));
    FUZZ_CHECK(cfg.AutoCopy() == (image[2] != 0));
    FUZZ_CHECK(cfg.AutoOpenIME() == (image[3] != 0));
    FUZZ_CHECK(cfg.MinToTrayIcon() == (image[4] != 0));
    FUZZ_CHECK(cfg.TrayHotKey() == (image[6] | image[7] << 8));
    FUZZ_CHECK(cfg.SecondTrayHotKey() == (image[8] | image[9] << 8));
    FUZZ_CHECK(cfg.ButtonMode() == image[10]);
    FUZZ_CHECK(cfg.ButtonMask() == Le32(image, 12));
    FUZZ_CHECK(cfg.WindowLeft() == Le32(image, 16));
    FUZZ_CHECK(cfg.WindowTop() == Le32(image, 20));
}

// What a save writes, loaded again, is the same record.
void CheckSaveLoadRoundTrip(const TConfig& cfg) {
    const TConfigImage saved = EncodeConfigRec(cfg.Rec());
    TConfig again;
    again.ApplyStoredValue(TStoredValue{true, RegTypeBinary, saved.size(), saved.data()});
    FUZZ_CHECK(again.Rec() == cfg.Rec());
    FUZZ_CHECK(EncodeConfigRec(again.Rec()) == saved);
    FUZZ_CHECK(DecodeConfigRec(saved) == cfg.Rec());
    CheckGettersRead(again, saved);
}

// The history the slots give is what saving it gives back, each text one a
// slot holds whole.
void CheckHistoryRoundTrip(const TConfig& cfg) {
    std::vector<std::string> list;
    cfg.LoadHistory(list);
    FUZZ_CHECK(list.size() <= HistorySlotCount);
    for (const std::string& text : list) {
        FUZZ_CHECK(!text.empty() && text.size() <= HistorySlotSize);
        FUZZ_CHECK(static_cast<unsigned char>(text.back()) > 0x20);
        FUZZ_CHECK(text.find('\0') == std::string::npos);
        FUZZ_CHECK(ReadHistorySlot(MakeHistorySlot(text)) == text);
    }
    TConfig copy;
    copy.SaveHistory(list);
    std::vector<std::string> back;
    copy.LoadHistory(back);
    FUZZ_CHECK(back == list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool exists = data[0] != 0xFF;
    const std::uint32_t type = data[0] & 0x0F;
    const bool overChanged = (data[0] & 0x10) != 0;
    const std::uint8_t* bytes = data + 1;
    const std::size_t n = size - 1;

    TConfig cfg;
    if (overChanged) ChangeEverything(cfg);
    const TConfigImage before = EncodeConfigRec(cfg.Rec());
    const TStoredValue value{exists, type, n, n > 0 ? bytes : nullptr};

    const bool refused =
        exists && (type == RegTypeSz || type == RegTypeExpandSz || type == RegTypeDword || n > ConfigRecSize);
    bool threw = false;
    try {
        cfg.ApplyStoredValue(value);
    } catch (const Error& e) {
        threw = true;
        FUZZ_CHECK(std::string(e.what()) == "Invalid data type for 'Config'");
    }
    FUZZ_CHECK(threw == refused);
    const TConfigImage after = EncodeConfigRec(cfg.Rec());
    CheckGettersRead(cfg, after);

    if (refused || !exists || n == 0) {
        // The defaults, over the history and alignment byte that were there.
        FUZZ_CHECK(HoldsDefaultsOver(after, before));
    } else {
        // The value's bytes over the start of what was there; only the mask may differ.
        TConfigImage overlaid = before;
        std::memcpy(overlaid.data(), bytes, n);
        for (std::size_t k = 0; k < ConfigRecSize; ++k)
            if (!IsMaskByte(k)) FUZZ_CHECK(after[k] == overlaid[k]);
        // A mask is kept as read, or replaced by the web type when the settings read fail the check.
        if (!std::equal(after.begin() + MaskFirst, after.begin() + MaskLast + 1, overlaid.begin() + MaskFirst)) {
            FUZZ_CHECK(cfg.ButtonMask() == 1);
            TConfig asRead;
            asRead.Rec() = DecodeConfigRec(overlaid);
            FUZZ_CHECK(!asRead.IsValid());
        }
    }
    FUZZ_CHECK(cfg.IsValid());
    CheckSaveLoadRoundTrip(cfg);
    CheckHistoryRoundTrip(cfg);
    return 0;
}
