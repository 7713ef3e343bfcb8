#pragma once
// Which pixels of a picture are not fully transparent, as rectangles: where a window system without
// per-pixel alpha cuts the window to its picture. Hand-made: a window shape must cover exactly the pixels
// whose alpha is not 0, in the banded order the shape requests take.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "paint/pixel_rect.hpp"

namespace tolmin {

// The pixels are 32-bit words with the alpha in the top byte (premultiplied ARGB32), `stride` words a row.
// The result is banded: consecutive rows with the same runs of non-transparent pixels make one band, its
// rectangles ordered left to right, and the bands top to bottom without overlap.
std::vector<PixelRect> opaque_bands(const std::uint32_t* pixels, std::size_t stride, std::int32_t width,
                                    std::int32_t height);

}  // namespace tolmin
