#pragma once
// The history as typed (UTF-16), kept in its own registry value beside the
// settings record. The record's slots hold GBK only, so a query with a
// character outside GBK would come back with "?" in it; this value keeps the
// real text. The slots stay the authority: an older build reads and writes
// only them, so the wide list is used only while it still agrees with them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

constexpr const wchar_t* HistoryWValueName = L"HistoryW";
constexpr std::uint32_t RegTypeMultiSz = 7;

using THistoryW = std::vector<std::u16string>;

// The longest entry accepted on load: the query box's limit.
constexpr std::size_t HistoryWMaxEntryUnits = 100;
// The largest value read: 20 longest entries with their terminators, plus the
// list's terminator (UTF-16 units, 2 bytes each).
constexpr std::size_t HistoryWMaxBytes = (20 * (HistoryWMaxEntryUnits + 1) + 1) * 2;

// REG_MULTI_SZ bytes (UTF-16LE) of the first 20 entries, newest first. An
// empty list is a lone terminator.
std::vector<std::uint8_t> EncodeHistoryW(const THistoryW& list);

// The list in a REG_MULTI_SZ value, or nullopt for anything that is not one
// this program could have written: an odd size, more than HistoryWMaxBytes,
// text without its terminator, text after the list's end, more than 20
// entries, or an entry longer than the box's limit.
std::optional<THistoryW> DecodeHistoryW(const std::uint8_t* data, std::size_t size);

// The GBK bytes a history slot was made from (lossy: a character GBK lacks
// becomes whatever the platform's conversion puts in its place).
using LossyGbkFn = std::string (*)(std::u16string_view);

// True when `wide` describes the same history as the slots' texts (as
// TConfig::LoadHistory lists them): as many entries, and each entry, turned
// into GBK and cut and read back by the slot rules, equals its slot's text.
bool HistoryWAgrees(const std::vector<std::string>& slotTexts, const THistoryW& wide, LossyGbkFn toGbk);

}  // namespace quorvex
