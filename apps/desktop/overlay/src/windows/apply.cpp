#include "windows/apply.hpp"

#include <string>

#include "layout/layout.hpp"
#include "layout/repaint.hpp"
#include "layout/scale.hpp"
#include "paint/painter.hpp"
#include "windows/monitors.hpp"

namespace tolmin::win {

void apply(Overlay& overlay, Output& err) {
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
    const auto chosen = select_monitor(overlay.monitors, frame.monitor);
    if (!chosen) {
        hide(window);
        return;
    }
    const Monitor& monitor = overlay.monitors[*chosen];

    const double now = now_ms();
    const double scale = frame_scale(monitor, frame.scale);
    Layout layout;
    {
        DWriteTextService measurer(*overlay.graphics);
        layout = layout_frame(frame, scale, now, measurer);
    }
    // Nothing to show: no timer either, nothing changes until the next Frame.
    if (layout.blocks.empty()) {
        hide(window);
        return;
    }

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
