#include "paint/pixel_rect.hpp"

#include <algorithm>
#include <cstdint>

namespace tolmin {
namespace {

constexpr std::int64_t MAX_SIDE = INT32_MAX;

// From edges (each within the i32 range) to a rectangle; a side longer than the i32 range is cut to it.
PixelRect from_edges(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    if (right <= left || bottom <= top) return {};
    return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
            static_cast<std::int32_t>(std::min(right - left, MAX_SIDE)),
            static_cast<std::int32_t>(std::min(bottom - top, MAX_SIDE))};
}

std::int64_t right_of(const PixelRect& r) {
    return std::int64_t{r.x} + r.width;
}
std::int64_t bottom_of(const PixelRect& r) {
    return std::int64_t{r.y} + r.height;
}

}  // namespace

PixelRect intersection(const PixelRect& a, const PixelRect& b) {
    if (a.empty() || b.empty()) return {};
    return from_edges(std::max(a.x, b.x), std::max(a.y, b.y), std::min(right_of(a), right_of(b)),
                      std::min(bottom_of(a), bottom_of(b)));
}

PixelRect bounding(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) return b.empty() ? PixelRect{} : b;
    if (b.empty()) return a;
    return from_edges(std::min(a.x, b.x), std::min(a.y, b.y), std::max(right_of(a), right_of(b)),
                      std::max(bottom_of(a), bottom_of(b)));
}

}  // namespace tolmin
