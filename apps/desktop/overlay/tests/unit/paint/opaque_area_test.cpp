// The rectangles a window is cut to without a compositing manager: exactly the pixels whose alpha is not 0,
// banded.

#include "paint/opaque_area.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolmin {
namespace {

// One string a row: '#' opaque, '+' alpha 1, '.' transparent, 'c' a colour with alpha 0. Rows are padded
// with opaque pixels beyond the width, which must play no part.
std::vector<PixelRect> bands_of(const std::vector<std::string>& rows) {
    const std::size_t width = rows.empty() ? 0 : rows[0].size();
    const std::size_t stride = width + 3;
    std::vector<std::uint32_t> pixels(stride * rows.size(), 0xFF000000);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            const char c = rows[y][x];
            pixels[y * stride + x] = c == '#'   ? 0xEB0C0C0F
                                     : c == '+' ? 0x01010101
                                     : c == 'c' ? 0x00FFFFFF
                                                : 0;
        }
    }
    return opaque_bands(pixels.data(), stride, static_cast<std::int32_t>(width),
                        static_cast<std::int32_t>(rows.size()));
}

TEST(OpaqueArea, Pictures) {
    const struct {
        const char* what;
        std::vector<std::string> rows;
        std::vector<PixelRect> bands;
    } cases[] = {
        {"nothing drawn", {"....", "c..c"}, {}},
        {"no pixels", {}, {}},
        {"one block", {"....", ".##.", ".##.", "...."}, {{1, 1, 2, 2}}},
        {"the faintest pixel counts", {"+"}, {{0, 0, 1, 1}}},
        {"a narrow block above a wide one, flush right",
         {"..###", "..###", ".....", "#####"},
         {{2, 0, 3, 2}, {0, 3, 5, 1}}},
        {"two runs in one band", {"##..#", "##..#"}, {{0, 0, 2, 2}, {4, 0, 1, 2}}},
        {"equal runs apart make two bands", {"##", "..", "##"}, {{0, 0, 2, 1}, {0, 2, 2, 1}}},
        {"a block to the last row and column", {"...", ".##", ".##"}, {{1, 1, 2, 2}}},
    };
    for (const auto& c : cases) EXPECT_EQ(bands_of(c.rows), c.bands) << c.what;
}

}  // namespace
}  // namespace tolmin
