#include "paint/surface_size.hpp"

#include <algorithm>

namespace tolmin {

std::optional<SurfaceSize> grown_surface_size(const std::optional<SurfaceSize>& current, std::int32_t width,
                                              std::int32_t height) {
    if (current && current->width >= width && current->height >= height) return std::nullopt;
    SurfaceSize next;
    if (current) {
        next.width = std::max(current->width, width);
        next.height = std::max(current->height, height);
    } else {
        next.width = std::max(width, std::int32_t{0});
        next.height = std::max(height, std::int32_t{0});
    }
    next.width = std::max(next.width, std::int32_t{1});
    next.height = std::max(next.height, std::int32_t{1});
    return next;
}

}  // namespace tolmin
