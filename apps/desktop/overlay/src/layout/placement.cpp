#include "layout/placement.hpp"

#include "layout/scale.hpp"

namespace tolmin {

Placement place_window(const Monitor& monitor, const Layout& layout) {
    // In 64 bits, then saturated: a host's extreme offset or scale must not overflow the corner arithmetic.
    const std::int64_t left = monitor.x;
    const std::int64_t top = monitor.y;
    const std::int64_t width = layout.width;
    const std::int64_t height = layout.height;

    const std::int64_t x =
        is_right(layout.anchor) ? left + monitor.width - (width + layout.margin_x) : left + layout.margin_x;
    const std::int64_t y =
        is_top(layout.anchor) ? top + layout.margin_y : top + monitor.height - (height + layout.margin_y);
    return {saturate_i32(x), saturate_i32(y), layout.width, layout.height};
}

}  // namespace tolmin
