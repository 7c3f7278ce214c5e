#pragma once
// The bar's stored position: left and top edge in thousandths of the primary
// screen's width and height. Negative thousandths mean "not stored".
#include <cstdint>

namespace quorvex {

struct TStoredPosition {
    std::int32_t Left;  // WindowLeft
    std::int32_t Top;   // WindowTop
};

struct TPixelPosition {
    std::int32_t Left;
    std::int32_t Top;
};

// left × 1000 / screen width, top × 1000 / screen height, truncated toward
// zero. A bar 2 pixels off the left edge of a 1280-pixel screen stores -1.
// Throws RangeError for a screen size of 0 or less, or a result beyond 32 bits.
TStoredPosition SavePosition(std::int32_t left, std::int32_t top, std::int32_t screenWidth, std::int32_t screenHeight);

// extent × thousandths / 1000, truncated toward zero, in 64 bits: exact for
// any 32-bit inputs.
std::int64_t FromThousandths(std::int32_t thousandths, std::int32_t extent);

// screen width × Left / 1000, screen height × Top / 1000 (FromThousandths). Where that would put any part of the bar
// (barWidth × barHeight) outside the screen, the position is pulled back onto
// it (to 0 when the bar is larger than the screen): stored values that were
// edited by hand far beyond 0..1000 still bring the bar up visible. Call only
// when both thousandths are 0 or more.
TPixelPosition RestorePosition(std::int32_t leftThousandths, std::int32_t topThousandths, std::int32_t screenWidth,
                               std::int32_t screenHeight, std::int32_t barWidth, std::int32_t barHeight);

}  // namespace quorvex
