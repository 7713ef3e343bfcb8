#include "layout/frame_plan.hpp"

#include "layout/scale.hpp"

namespace tolmin {

FramePlan plan_frame(const Frame& frame, const std::vector<Monitor>& monitors, double now_ms,
                     TextMeasurer& measurer) {
    FramePlan plan;
    plan.monitor = select_monitor(monitors, frame.monitor);
    if (!plan.monitor) return plan;
    const Monitor& monitor = monitors[*plan.monitor];
    plan.scale = frame_scale(monitor, frame.scale);
    plan.layout = layout_frame(frame, plan.scale, now_ms, measurer);
    if (!plan.layout.blocks.empty()) plan.window = place_window(monitor, plan.layout);
    return plan;
}

}  // namespace tolmin
