// The typed history value ("HistoryW") as the registry hands it over: any
// bytes as REG_MULTI_SZ, beside slots that agree with it or not. Input: one
// byte choosing how the slots were written (bits 0-1: from the same list,
// without its last entry, with its first two swapped, with one entry more;
// bit 2: the value stored as REG_BINARY), then the value's bytes.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/config.h"
#include "config/config_record.h"
#include "config/history_wide.h"
#include "fuzz/fuzz_check.h"
#include "support/iconv_gbk.h"

using namespace quorvex;

namespace {

enum class SlotsWritten { Same, LastDropped, FirstTwoSwapped, OneMore };

// The platform's lossy conversion: exact GBK where it has the character, "?" where not.
std::string LossyGbk(std::u16string_view text) {
    static const oracle::IconvGbk gbk;
    if (auto whole = gbk.ToGbkExact(text)) return *whole;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t len = 1;
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            len = 2;
        const auto one = gbk.ToGbkExact(text.substr(i, len));
        out += one ? *one : std::string("?");
        i += len - 1;
    }
    return out;
}

std::string SlotText(const std::u16string& entry) { return ReadHistorySlot(MakeHistorySlot(LossyGbk(entry))); }

std::vector<char16_t> Units(const std::uint8_t* data, std::size_t size) {
    std::vector<char16_t> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    return units;
}

// What a well-formed value holds, by splitting rather than by walking: the
// units before the trailing terminators, cut at each NUL, must be 1 to 20
// non-empty texts of at most 100 units, the last one terminated too.
std::optional<THistoryW> SplitMultiString(const std::uint8_t* data, std::size_t size) {
    if (size % 2 != 0 || size > HistoryWMaxBytes) return std::nullopt;
    std::vector<char16_t> units = Units(data, size);
    std::size_t end = units.size();
    while (end > 0 && units[end - 1] == 0) --end;
    if (end == 0) return THistoryW{};
    if (end == units.size()) return std::nullopt;  // the last text has no terminator
    THistoryW list(1);
    for (std::size_t i = 0; i < end; ++i) {
        if (units[i] == 0) list.emplace_back();
        else list.back().push_back(units[i]);
    }
    if (list.size() > HistorySlotCount) return std::nullopt;
    for (const std::u16string& entry : list)
        if (entry.empty() || entry.size() > HistoryWMaxEntryUnits) return std::nullopt;
    return list;
}

std::vector<char16_t> WithoutTrailingNuls(std::vector<char16_t> units) {
    while (!units.empty() && units.back() == 0) units.pop_back();
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto slotsWritten = static_cast<SlotsWritten>(data[0] & 3);
    const std::uint32_t type = (data[0] & 4) ? RegTypeBinary : RegTypeMultiSz;
    const std::uint8_t* bytes = data + 1;
    const std::size_t n = size - 1;

    const std::optional<THistoryW> decoded = DecodeHistoryW(n > 0 ? bytes : nullptr, n);
    FUZZ_CHECK(decoded == SplitMultiString(bytes, n));
    if (decoded) {
        // Written back it is the same list, and the same bytes but for padding.
        const std::vector<std::uint8_t> encoded = EncodeHistoryW(*decoded);
        FUZZ_CHECK(DecodeHistoryW(encoded.data(), encoded.size()) == decoded);
        FUZZ_CHECK(WithoutTrailingNuls(Units(encoded.data(), encoded.size())) == WithoutTrailingNuls(Units(bytes, n)));
    }

    // The slots as a build wrote them that saved this list, or an older build that changed them since.
    const THistoryW list = decoded.value_or(THistoryW{});
    std::vector<std::string> gbk;
    for (const std::u16string& entry : list) gbk.push_back(LossyGbk(entry));
    switch (slotsWritten) {
    case SlotsWritten::Same:
        break;
    case SlotsWritten::LastDropped:
        if (!gbk.empty()) gbk.pop_back();
        break;
    case SlotsWritten::FirstTwoSwapped:
        if (gbk.size() >= 2) std::swap(gbk[0], gbk[1]);
        break;
    case SlotsWritten::OneMore:
        gbk.push_back("later");
        break;
    }
    TConfig cfg;
    cfg.SaveHistory(gbk);
    cfg.ApplyStoredHistoryW(TStoredValue{true, type, n, n > 0 ? bytes : nullptr});
    const std::optional<THistoryW> trusted = cfg.LoadHistoryW(&LossyGbk);

    // The typed list is handed out only as stored and only while every entry
    // still reads as the slot beside it.
    bool agrees = decoded.has_value() && type == RegTypeMultiSz;
    for (const std::u16string& entry : list) agrees = agrees && !SlotText(entry).empty();
    switch (slotsWritten) {
    case SlotsWritten::Same:
        break;
    case SlotsWritten::LastDropped:
        agrees = agrees && list.empty();
        break;
    case SlotsWritten::FirstTwoSwapped:
        agrees = agrees && (list.size() < 2 || SlotText(list[0]) == SlotText(list[1]));
        break;
    case SlotsWritten::OneMore:
        agrees = agrees && list.size() == HistorySlotCount;
        break;
    }
    FUZZ_CHECK(trusted.has_value() == agrees);
    if (trusted) FUZZ_CHECK(*trusted == list);
    return 0;
}
