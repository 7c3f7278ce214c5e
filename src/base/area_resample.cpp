#include "base/area_resample.h"

#include <algorithm>
#include <cstddef>

#include "base/error.h"

namespace quorvex {
namespace {

struct Tap {
    int Index;
    double Weight;
};

// For each of `to` target cells, the source cells it covers and how much.
std::vector<std::vector<Tap>> Taps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * step, end = (i + 1) * step;
        for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            if (covered > 0) taps[static_cast<std::size_t>(i)].push_back({s, covered / step});
        }
    }
    return taps;
}

}  // namespace

std::vector<std::uint8_t> AreaResample(const std::vector<std::uint8_t>& source, int width, int height, int toWidth,
                                       int toHeight) {
    if (width < 1 || height < 1 || toWidth < 1 || toHeight < 1) throw RangeError("Picture size out of range");
    if (source.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        throw RangeError("Picture data of the wrong size");
    const auto across = Taps(width, toWidth);
    const auto down = Taps(height, toHeight);
    // Rows first (width → toWidth), then columns, in floating point.
    std::vector<double> rows(static_cast<std::size_t>(toWidth) * static_cast<std::size_t>(height) * 4, 0.0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < toWidth; ++x)
            for (const Tap& t : across[static_cast<std::size_t>(x)])
                for (int c = 0; c < 4; ++c)
                    rows[(static_cast<std::size_t>(y) * toWidth + x) * 4 + c] +=
                        t.Weight * source[(static_cast<std::size_t>(y) * width + t.Index) * 4 + c];
    std::vector<std::uint8_t> out(static_cast<std::size_t>(toWidth) * static_cast<std::size_t>(toHeight) * 4);
    for (int y = 0; y < toHeight; ++y)
        for (int x = 0; x < toWidth; ++x)
            for (int c = 0; c < 4; ++c) {
                double v = 0;
                for (const Tap& t : down[static_cast<std::size_t>(y)])
                    v += t.Weight * rows[(static_cast<std::size_t>(t.Index) * toWidth + x) * 4 + c];
                out[(static_cast<std::size_t>(y) * toWidth + x) * 4 + c] =
                    static_cast<std::uint8_t>(std::clamp(v + 0.5, 0.0, 255.0));
            }
    return out;
}

}  // namespace quorvex
