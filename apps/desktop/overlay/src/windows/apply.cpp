#include "windows/apply.hpp"

#include <string>

#include "layout/frame_plan.hpp"
#include "layout/repaint.hpp"
#include "paint/painter.hpp"
#include "windows/monitors.hpp"

namespace tolmin::win {

void apply(Overlay& overlay, Output& err) {
    apply_at(overlay, now_ms(), err);
}

void apply_at(Overlay& overlay, double now, Output& err) {
    OverlayWindow& window = overlay.window;
    // At most one repaint is ever pending; failing to kill a timer that is not there is fine.
    (void)KillTimer(window.handle, REPAINT_TIMER_ID);

    if (!overlay.current) {
        hide(window);
        return;
    }
    const Frame& frame = *overlay.current;

    // Enumerated afresh every time, so a monitor added, removed or moved is seen at the next Frame or tick.
    overlay.monitors = enumerate_monitors();
    FramePlan plan;
    {
        DWriteTextService measurer(*overlay.graphics);
        plan = plan_frame(frame, overlay.monitors, now, measurer);
    }
    // No monitor, or nothing to show: no timer either, nothing changes until the next Frame.
    if (!plan.window) {
        hide(window);
        return;
    }
    const Monitor& monitor = overlay.monitors[*plan.monitor];
    const Layout& layout = plan.layout;

    const ScreenPoint origin = place(window, monitor, layout);
    {
        D2DCanvas canvas(*overlay.graphics, window.handle);
        DWriteTextService text(*overlay.graphics);
        const Result<void> painted = paint_frame(canvas, text, origin.x, origin.y, frame, layout);
        if (!painted) write_diagnostic(err, "cannot draw this frame: " + painted.error().text);
    }
    keep_on_top(window);

    // Still armed after a failed paint, so a later tick tries again.
    if (const auto wait = repaint_wait_ms(next_repaint(frame.toasts, now), now)) {
        (void)SetTimer(window.handle, REPAINT_TIMER_ID, *wait, nullptr);
    }
}

}  // namespace tolmin::win
