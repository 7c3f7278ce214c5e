#include "bar/layout.h"

#include "base/checked.h"

namespace quorvex {

TLayout ArrangeButtonsLayout(const TLayoutInput& in) {
    TLayout out;
    const bool compact = in.ButtonMode == bmShowCompact;
    const bool modeKnown = in.ButtonMode == bmShowAll || compact || in.ButtonMode == bmShowCustom;

    int x = QueryBoxLeft + QueryBoxWidth + 2;
    auto place = [&x, &in](TLayoutSlot& slot, bool visible, int width) {
        slot.Arranged = true;
        slot.Visible = visible;
        if (!visible) return;
        slot.Width = ScaleLength(width, in.Dpi);
        slot.Left = ScaleLength(x, in.Dpi);
        x = CheckedAdd(CheckedAdd(x, width), ButtonGap);
    };

    if (modeKnown) {
        for (int i = 0; i < SearchTypeCount; ++i) {
            if (!in.CategoryExists[static_cast<std::size_t>(i)]) continue;
            const bool visible = in.ButtonMode == bmShowAll || MaskContains(in.ButtonMask, SearchTypes[i].Bit);
            TLayoutSlot& slot = out.Categories[static_cast<std::size_t>(i)];
            slot.HasCaption = in.ShowCaption;
            place(slot, visible, in.ShowCaption ? CategoryWidthWithCaption : CategoryWidthWithoutCaption);
        }
    }
    if (in.SearchTypeExists) place(out.SearchType, compact, SearchTypeButtonWidth);
    if (in.SetupExists) place(out.Setup, true, SetupButtonWidth);
    if (in.HelpExists) place(out.Help, in.ShowHelp, HelpButtonWidth);

    out.WindowWidth = ScaleLength(CheckedAdd(x, RightMargin), in.Dpi);
    out.WindowLeft = in.WindowLeft;
    if (CheckedAdd(in.WindowLeft, out.WindowWidth) > in.ScreenWidth)
        out.WindowLeft = CheckedSub(in.ScreenWidth, out.WindowWidth);
    return out;
}

}  // namespace quorvex
