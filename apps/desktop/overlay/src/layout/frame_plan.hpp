#pragma once
// What the overlay does with a Frame before painting: choose the monitor, work out the scale, lay the Frame
// out and place the window. The overlay's frame application and the frame checker both go this one way.

#include <cstddef>
#include <optional>
#include <vector>

#include "layout/layout.hpp"
#include "layout/monitor.hpp"
#include "layout/placement.hpp"
#include "model/frame.hpp"

namespace tolmin {

struct FramePlan {
    std::optional<std::size_t> monitor;  // the selected monitor; none when there is no monitor at all
    double scale = 1.0;
    Layout layout;
    std::optional<Placement> window;  // none when the overlay hides (no monitor, or nothing to show)
};

FramePlan plan_frame(const Frame& frame, const std::vector<Monitor>& monitors, double now_ms,
                     TextMeasurer& measurer);

}  // namespace tolmin
