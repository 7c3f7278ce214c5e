#include "config/history_wide.h"

#include "config/config_record.h"

namespace quorvex {

namespace {
constexpr std::size_t MaxEntries = HistorySlotCount;

void PutUnit(std::vector<std::uint8_t>& out, char16_t u) {
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
}
}  // namespace

std::vector<std::uint8_t> EncodeHistoryW(const THistoryW& list) {
    std::vector<std::uint8_t> out;
    for (std::size_t k = 0; k < list.size() && k < MaxEntries; ++k) {
        // An empty text would end the list early; the box never lists one.
        if (list[k].empty()) continue;
        for (char16_t u : list[k]) {
            if (u == 0) break;  // a NUL would split the entry in two
            PutUnit(out, u);
        }
        PutUnit(out, 0);
    }
    PutUnit(out, 0);
    return out;
}

std::optional<THistoryW> DecodeHistoryW(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return THistoryW{};
    if (data == nullptr || size % 2 != 0 || size > HistoryWMaxBytes) return std::nullopt;
    const std::size_t units = size / 2;
    auto unitAt = [data](std::size_t i) {
        return static_cast<char16_t>(data[2 * i] | (static_cast<unsigned>(data[2 * i + 1]) << 8));
    };
    THistoryW list;
    std::u16string entry;
    std::size_t i = 0;
    for (; i < units; ++i) {
        const char16_t u = unitAt(i);
        if (u != 0) {
            entry.push_back(u);
            continue;
        }
        if (entry.empty()) break;  // the list's terminator
        if (list.size() == MaxEntries || entry.size() > HistoryWMaxEntryUnits) return std::nullopt;
        list.push_back(std::move(entry));
        entry.clear();
    }
    if (!entry.empty()) return std::nullopt;  // text without its terminator
    // Only terminators may follow the list's end (some writers pad).
    for (++i; i < units; ++i)
        if (unitAt(i) != 0) return std::nullopt;
    return list;
}

bool HistoryWAgrees(const std::vector<std::string>& slotTexts, const THistoryW& wide, LossyGbkFn toGbk) {
    if (slotTexts.size() != wide.size()) return false;
    for (std::size_t k = 0; k < wide.size(); ++k) {
        if (ReadHistorySlot(MakeHistorySlot(toGbk(wide[k]))) != slotTexts[k]) return false;
    }
    return true;
}

}  // namespace quorvex
