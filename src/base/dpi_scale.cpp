#include "base/dpi_scale.h"

#include <cstdint>
#include <limits>

#include "base/error.h"

namespace quorvex {

int ScaleLength(int length, int toDpi, int fromDpi) {
    if (toDpi <= 0 || fromDpi <= 0) throw RangeError("DPI out of range");
    if (toDpi == fromDpi) return length;
    const std::int64_t product = static_cast<std::int64_t>(length) * toDpi;
    const std::int64_t half = fromDpi / 2;
    const std::int64_t scaled = product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi);
    if (scaled > std::numeric_limits<int>::max() || scaled < std::numeric_limits<int>::min())
        throw RangeError("Arithmetic overflow");
    return static_cast<int>(scaled);
}

int ArtworkPercentFor(int dpi) { return dpi <= DesignDpi ? 100 : 200; }

}  // namespace quorvex
