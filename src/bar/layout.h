#pragma once
// The bar's row layout: which buttons show, how wide they are, where they
// stand, and how wide the window becomes, from the display settings alone.
#include <array>
#include <cstdint>

#include "base/dpi_scale.h"
#include "config/config_record.h"
#include "search/search_types.h"

namespace quorvex {

// Fixed geometry of the row.
constexpr int QueryBoxLeft = 8;
constexpr int QueryBoxWidth = 120;
constexpr int CategoryWidthWithCaption = 55;
constexpr int CategoryWidthWithoutCaption = 20;
constexpr int SearchTypeButtonWidth = 13;
constexpr int SetupButtonWidth = 22;
constexpr int HelpButtonWidth = 22;
constexpr int ButtonGap = 1;
constexpr int RightMargin = 10;

struct TLayoutInput {
    int ButtonMode = bmShowCompact;
    std::int32_t ButtonMask = 1;
    bool ShowCaption = true;
    bool ShowHelp = true;
    // Which controls exist (a missing one is left out).
    std::array<bool, SearchTypeCount> CategoryExists{};
    bool SearchTypeExists = true;
    bool SetupExists = true;
    bool HelpExists = true;
    // Current window left edge, and the right edge of the monitor the window
    // is on (on one screen, the screen width).
    int WindowLeft = 0;
    int ScreenWidth = 0;
    // The bar's DPI: the row's design lengths are scaled to it.
    int Dpi = DesignDpi;
};

// Every width and position of the result is in pixels at the input's DPI.
struct TLayoutSlot {
    bool Arranged = false;  // the pass touches this control at all
    bool Visible = false;
    bool HasCaption = false;  // category buttons: show the caption (else cleared)
    int Width = 0;            // for visible controls
    int Left = 0;             // for visible controls; hidden ones keep their place
};

struct TLayout {
    std::array<TLayoutSlot, SearchTypeCount> Categories;
    TLayoutSlot SearchType;
    TLayoutSlot Setup;
    TLayoutSlot Help;
    int WindowWidth = 0;
    int WindowLeft = 0;  // moved left when the bar would cross its monitor's right edge
};

// Throws RangeError on arithmetic overflow.
TLayout ArrangeButtonsLayout(const TLayoutInput& input);

}  // namespace quorvex
