// The suggestion option and the suggestion service's address, kept beside the record.
#include "config/config.h"

namespace quorvex {

void TConfig::ApplyStoredSuggest(const TStoredValue& suggest, const TStoredValue& suggestUrl) {
    suggest_ = suggest.Exists && suggest.Type == RegTypeDword && suggest.Size == 4 && suggest.Data &&
               suggest.Data[0] == 1 && suggest.Data[1] == 0 && suggest.Data[2] == 0 && suggest.Data[3] == 0;
    loadedSuggest_ = suggest_;
    suggestUrl_.clear();
    if (suggestUrl.Exists && suggestUrl.Type == RegTypeSz && suggestUrl.Data && suggestUrl.Size <= SuggestUrlMaxBytes) {
        for (std::size_t i = 0; i + 1 < suggestUrl.Size; i += 2) {
            const auto unit = static_cast<char16_t>(suggestUrl.Data[i] | (suggestUrl.Data[i + 1] << 8));
            if (unit == u'\0') break;
            suggestUrl_ += unit;
        }
    }
}

std::optional<std::uint32_t> TConfig::SuggestValueToSave() const {
    if (suggest_ == loadedSuggest_) return std::nullopt;
    return suggest_ ? 1u : 0u;
}

}  // namespace quorvex
