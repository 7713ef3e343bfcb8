#pragma once
// A rectangle of whole pixels in the window's picture: its top-left corner and its size.

#include <cstdint>

namespace tolmin {

struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    std::int64_t area() const { return empty() ? 0 : std::int64_t{width} * height; }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The pixels in both; empty when they do not overlap.
PixelRect intersection(const PixelRect& a, const PixelRect& b);
// The smallest rectangle holding both; an empty one adds nothing.
PixelRect bounding(const PixelRect& a, const PixelRect& b);

}  // namespace tolmin
