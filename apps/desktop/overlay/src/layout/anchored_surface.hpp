#pragma once
// The overlay window as a compositor's layer surface holds it: anchored to a corner of its output, sized and
// set off from the anchored edges in logical pixels (buffer pixels divided by the output's integer scale).
// At a scale of 2 or more the window's rectangle, in buffer pixels, need not fall on that coarser grid: the
// surface is the smallest logical rectangle around it, and the picture is drawn into the surface's buffer at
// an offset, so that it lands on exactly the pixels the rectangle names.

#include <cstdint>

#include "layout/monitor.hpp"
#include "layout/placement.hpp"
#include "model/frame.hpp"

namespace tolmin {

struct AnchoredSurface {
    std::int32_t width = 0;  // logical pixels
    std::int32_t height = 0;
    std::int32_t margin_x = 0;      // from the anchored left or right edge, logical pixels
    std::int32_t margin_y = 0;      // from the anchored top or bottom edge
    std::int32_t buffer_width = 0;  // width and height times the scale
    std::int32_t buffer_height = 0;
    std::int32_t offset_x = 0;  // the picture's top-left corner in the buffer, buffer pixels
    std::int32_t offset_y = 0;

    friend bool operator==(const AnchoredSurface&, const AnchoredSurface&) = default;
};

// `window` (buffer pixels, the coordinates of `monitor`) as a surface anchored at `anchor` of the monitor,
// whose size is a whole number of logical pixels at `scale`. A scale below 1 counts as 1; results saturate to
// 32 bits.
AnchoredSurface anchored_surface(const Monitor& monitor, Anchor anchor, const Placement& window,
                                 std::int32_t scale);

}  // namespace tolmin
