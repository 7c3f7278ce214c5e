#pragma once
// The rules of the custom buttons dialog, apart from its window: one check
// item per search category, the last ticked item protected from unticking,
// and the button mask rebuilt from the ticks.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

struct TCheckItem {
    std::string Caption;  // UTF-8
    std::int32_t Bit = 0;
    bool Checked = false;
    bool Enabled = true;
};

// Geometry of the dialog's check list.
constexpr int CustomButtonsClientWidth = 244;
constexpr int CustomButtonsClientHeight = 92;
constexpr int CustomButtonsItemHeight = 14;

class TCustomButtonItems {
public:
    // One item per search category in table order, ticked when its bit is in
    // the mask; then the last-item rule.
    explicit TCustomButtonItems(std::int32_t mask);

    const std::vector<TCheckItem>& Items() const { return items_; }
    int CheckedCount() const;
    // Sets the enabled state of every ticked item; unticked ones stay as they are.
    void SetCheckedEnabled(bool enabled);
    // Two or more ticked: all enabled; exactly one: that one disabled; none: no change.
    void ApplyLastItemRule();
    // The user's toggle of item `index`: false (and nothing changes) for a
    // disabled item or an index outside the list.
    bool Toggle(int index);
    // The OR of the ticked items' bits.
    std::int32_t Mask() const;

private:
    std::vector<TCheckItem> items_;
};

}  // namespace quorvex
