#include "widgets/custom_buttons.h"

#include "search/search_types.h"

namespace quorvex {

TCustomButtonItems::TCustomButtonItems(std::int32_t mask) {
    for (const TSearchTypeDef& type : SearchTypes) {
        items_.push_back(TCheckItem{type.Caption, type.Bit, (mask & type.Bit) > 0, true});
    }
    ApplyLastItemRule();
}

int TCustomButtonItems::CheckedCount() const {
    int count = 0;
    for (const auto& item : items_) count += item.Checked ? 1 : 0;
    return count;
}

void TCustomButtonItems::SetCheckedEnabled(bool enabled) {
    for (auto& item : items_) {
        if (item.Checked) item.Enabled = enabled;
    }
}

void TCustomButtonItems::ApplyLastItemRule() { SetCheckedEnabled(CheckedCount() > 1); }

bool TCustomButtonItems::Toggle(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    TCheckItem& item = items_[static_cast<std::size_t>(index)];
    if (!item.Enabled) return false;
    item.Checked = !item.Checked;
    return true;
}

std::int32_t TCustomButtonItems::Mask() const {
    std::int32_t mask = 0;
    for (const auto& item : items_) {
        if (item.Checked) mask |= item.Bit;
    }
    return mask;
}

}  // namespace quorvex
