#include "config/config.h"

#include <memory>

#include "base/error.h"
#include "hotkeys/hotkey_text.h"
#include "search/search_types.h"

namespace quorvex {

TConfig::TConfig() { SetDefaults(); }

void TConfig::SetDefaults() {
    rec_.ShowCaption = 1;
    rec_.ShowHelp = 1;
    rec_.AutoCopy = 1;
    rec_.AutoOpenIME = 1;
    rec_.MinToTrayIcon = 1;
    rec_.ReservedFlag = 1;
    // "S" has a fixed name, so the text converts without the platform's key names.
    rec_.TrayHotKey = TextToHotKey("Win+S", NoKeyName);
    rec_.SecondTrayHotKey = rec_.TrayHotKey;
    rec_.ButtonMode = bmShowCompact;
    rec_.ButtonMask = 1;
    rec_.WindowLeft = -1;
    rec_.WindowTop = -1;
}

bool TConfig::IsValid() const {
    const std::int32_t mask = rec_.ButtonMask;
    if (mask < 1 || mask > AllButtonsMask) return false;
    if (rec_.ButtonMode == bmShowCompact) {
        // One category alone; the forum (32) has no compact form.
        switch (mask) {
        case 1:
        case 2:
        case 4:
        case 8:
        case 16:
        case 64:
        case 128:
        case 256:
        case 512:
        case 1024:
            return true;
        default:
            return false;
        }
    }
    return true;
}

void TConfig::SetButtonMode(std::uint8_t value) {
    rec_.ButtonMode = value;
    if (value == bmShowAll) rec_.ButtonMask = AllButtonsMask;
    else if (value == bmShowCompact) rec_.ButtonMask = 1;
}

void TConfig::ApplyStoredValue(const TStoredValue& value) {
    std::size_t read = 0;
    if (value.Exists) {
        if (value.Type == RegTypeSz || value.Type == RegTypeExpandSz || value.Type == RegTypeDword ||
            value.Size > ConfigRecSize) {
            SetDefaults();
            throw Error("Invalid data type for 'Config'");
        }
        if (value.Size > 0) {
            if (value.Data == nullptr) {  // a caller fault: the size promised bytes
                SetDefaults();
                throw Error("No data for 'Config'");
            }
            OverlayConfigBytes(rec_, value.Data, value.Size);
            read = value.Size;
        }
    }
    if (read < 1) SetDefaults();
    if (!IsValid()) rec_.ButtonMask = 1;
}

void TConfig::SaveHistory(const std::vector<std::string>& list) {
    for (THistorySlot& slot : rec_.History) slot.fill(0);
    for (std::size_t k = 0; k < list.size() && k < HistorySlotCount; ++k) rec_.History[k] = MakeHistorySlot(list[k]);
}

void TConfig::LoadHistory(std::vector<std::string>& list) const {
    list.clear();
    for (const THistorySlot& slot : rec_.History) {
        std::string text = ReadHistorySlot(slot);
        if (!text.empty()) list.push_back(std::move(text));
    }
}

std::optional<THistoryW> TConfig::LoadHistoryW(LossyGbkFn toGbk) const {
    if (!historyW_) return std::nullopt;
    std::vector<std::string> slots;
    LoadHistory(slots);
    if (!HistoryWAgrees(slots, *historyW_, toGbk)) return std::nullopt;
    return historyW_;
}

void TConfig::SaveHistoryW(const THistoryW& list) {
    const std::size_t n = list.size() < HistorySlotCount ? list.size() : HistorySlotCount;
    historyW_ = THistoryW(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(n));
}

void TConfig::ApplyStoredHistoryW(const TStoredValue& value) {
    historyW_.reset();
    if (!value.Exists || value.Type != RegTypeMultiSz) return;
    if (value.Size > 0 && value.Data == nullptr) return;  // too large to have been read
    historyW_ = DecodeHistoryW(value.Data, value.Size);
}

namespace {
std::unique_ptr<TConfig>& ConfigInstance() {
    static std::unique_ptr<TConfig> instance;
    return instance;
}
}  // namespace

TConfig& GetConfig() {
    auto& instance = ConfigInstance();
    if (!instance) instance = std::make_unique<TConfig>();
    return *instance;
}

void ReleaseConfig() { ConfigInstance().reset(); }

}  // namespace quorvex
