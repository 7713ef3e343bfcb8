#include "paint/opaque_area.hpp"

#include <utility>

namespace tolmin {
namespace {

using Runs = std::vector<std::pair<std::int32_t, std::int32_t>>;  // [begin, end) columns

void row_runs(const std::uint32_t* row, std::int32_t width, Runs& runs) {
    runs.clear();
    std::int32_t x = 0;
    while (x < width) {
        while (x < width && (row[x] >> 24) == 0) ++x;
        const std::int32_t begin = x;
        while (x < width && (row[x] >> 24) != 0) ++x;
        if (x > begin) runs.emplace_back(begin, x);
    }
}

void close_band(const Runs& runs, std::int32_t top, std::int32_t bottom, std::vector<PixelRect>& out) {
    for (const auto& [begin, end] : runs) out.push_back({begin, top, end - begin, bottom - top});
}

}  // namespace

std::vector<PixelRect> opaque_bands(const std::uint32_t* pixels, std::size_t stride, std::int32_t width,
                                    std::int32_t height) {
    std::vector<PixelRect> out;
    Runs band, row;
    std::int32_t band_top = 0;
    for (std::int32_t y = 0; y < height; ++y) {
        row_runs(pixels + static_cast<std::size_t>(y) * stride, width, row);
        if (row == band) continue;
        close_band(band, band_top, y, out);
        std::swap(band, row);
        band_top = y;
    }
    close_band(band, band_top, height, out);
    return out;
}

}  // namespace tolmin
