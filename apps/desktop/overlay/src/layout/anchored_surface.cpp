#include "layout/anchored_surface.hpp"

#include <algorithm>

#include "layout/scale.hpp"

namespace tolmin {
namespace {

std::int64_t floor_div(std::int64_t value, std::int64_t by) {
    return value / by - (value % by != 0 && value < 0 ? 1 : 0);
}

std::int64_t ceil_div(std::int64_t value, std::int64_t by) {
    return -floor_div(-value, by);
}

}  // namespace

AnchoredSurface anchored_surface(const Monitor& monitor, Anchor anchor, const Placement& window,
                                 std::int32_t scale) {
    const std::int64_t s = std::max(scale, 1);
    // The window's edges from the monitor's top-left corner, then on the logical grid, outwards.
    const std::int64_t left = std::int64_t{window.x} - monitor.x;
    const std::int64_t top = std::int64_t{window.y} - monitor.y;
    const std::int64_t logical_left = floor_div(left, s);
    const std::int64_t logical_top = floor_div(top, s);
    const std::int64_t logical_right = ceil_div(left + std::max(window.width, 0), s);
    const std::int64_t logical_bottom = ceil_div(top + std::max(window.height, 0), s);

    AnchoredSurface surface;
    surface.width = saturate_i32(logical_right - logical_left);
    surface.height = saturate_i32(logical_bottom - logical_top);
    surface.buffer_width = saturate_i32((logical_right - logical_left) * s);
    surface.buffer_height = saturate_i32((logical_bottom - logical_top) * s);
    surface.offset_x = saturate_i32(left - logical_left * s);
    surface.offset_y = saturate_i32(top - logical_top * s);
    surface.margin_x =
        saturate_i32(is_right(anchor) ? floor_div(monitor.width, s) - logical_right : logical_left);
    surface.margin_y =
        saturate_i32(is_top(anchor) ? logical_top : floor_div(monitor.height, s) - logical_bottom);
    return surface;
}

}  // namespace tolmin
