#include "config/position.h"

#include <algorithm>

#include "base/checked.h"
#include "base/error.h"

namespace quorvex {

namespace {

std::int32_t ToThousandths(std::int32_t edge, std::int32_t extent) {
    if (extent <= 0) throw RangeError("Invalid screen size");
    const std::int64_t v = CheckedMul<std::int64_t>(edge, 1000) / extent;  // C++ division truncates toward zero
    return CheckedCast<std::int32_t>(v);
}

std::int32_t FromThousandths(std::int32_t thousandths, std::int32_t extent, std::int32_t barExtent) {
    // |extent × thousandths| < 2^62: no 64-bit overflow for any 32-bit inputs.
    const std::int64_t plain = static_cast<std::int64_t>(extent) * thousandths / 1000;
    const std::int64_t last = std::max<std::int64_t>(0, static_cast<std::int64_t>(extent) - std::max(barExtent, 0));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(plain, 0, last));
}

}  // namespace

TStoredPosition SavePosition(std::int32_t left, std::int32_t top, std::int32_t screenWidth,
                             std::int32_t screenHeight) {
    return {ToThousandths(left, screenWidth), ToThousandths(top, screenHeight)};
}

TPixelPosition RestorePosition(std::int32_t leftThousandths, std::int32_t topThousandths,
                               std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t barWidth,
                               std::int32_t barHeight) {
    return {FromThousandths(leftThousandths, screenWidth, barWidth),
            FromThousandths(topThousandths, screenHeight, barHeight)};
}

}  // namespace quorvex
