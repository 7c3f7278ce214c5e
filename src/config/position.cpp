#include "config/position.h"

#include "base/checked.h"
#include "base/desktop.h"
#include "base/error.h"

namespace quorvex {

namespace {

std::int32_t ToThousandths(std::int32_t edge, std::int32_t extent) {
    if (extent <= 0) throw RangeError("Invalid screen size");
    const std::int64_t v = CheckedMul<std::int64_t>(edge, 1000) / extent;  // C++ division truncates toward zero
    return CheckedCast<std::int32_t>(v);
}

}  // namespace

TStoredPosition SavePosition(std::int32_t left, std::int32_t top, std::int32_t screenWidth, std::int32_t screenHeight) {
    return {ToThousandths(left, screenWidth), ToThousandths(top, screenHeight)};
}

std::int64_t FromThousandths(std::int32_t thousandths, std::int32_t extent) {
    // |extent × thousandths| < 2^62: no 64-bit overflow.
    return static_cast<std::int64_t>(extent) * thousandths / 1000;
}

TPixelPosition RestorePosition(std::int32_t leftThousandths, std::int32_t topThousandths, std::int32_t screenWidth,
                               std::int32_t screenHeight, std::int32_t barWidth, std::int32_t barHeight) {
    const TPointI plain{SaturatingCast<int>(FromThousandths(leftThousandths, screenWidth)),
                        SaturatingCast<int>(FromThousandths(topThousandths, screenHeight))};
    const TPointI p = ClampInto(plain, barWidth, barHeight, TRectI{0, 0, screenWidth, screenHeight});
    return {p.X, p.Y};
}

}  // namespace quorvex
