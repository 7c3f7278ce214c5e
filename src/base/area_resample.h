#pragma once
// Resizing pictures for display scales between the artwork's: each target
// pixel is the area-weighted mean of the source pixels it covers (a box
// filter), which keeps thin strokes and edges as sharp as the size allows.
// Pixels are 4 bytes (B, G, R, A, pre-multiplied), rows top-down, no padding.
#include <cstdint>
#include <vector>

namespace quorvex {

// `source` is width × height pixels; the result is toWidth × toHeight.
// Throws RangeError for sizes below 1 or a source of the wrong length.
std::vector<std::uint8_t> AreaResample(const std::vector<std::uint8_t>& source, int width, int height, int toWidth,
                                       int toHeight);

}  // namespace quorvex
