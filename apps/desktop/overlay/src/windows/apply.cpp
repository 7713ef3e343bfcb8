#include "windows/apply.hpp"

#include <string>

#include "layout/frame_plan.hpp"
#include "layout/repaint.hpp"
#include "paint/painter.hpp"
#include "windows/d2d_canvas.hpp"
#include "windows/monitors.hpp"
#include "windows/text_service.hpp"

namespace tolmin::win {
namespace {

constexpr std::string_view DEVICE_LOST_TEXT = "the graphics device was lost; drawing again";

Result<void> paint(Overlay& overlay, TextService& text, const ScreenPoint& origin, const Layout& layout) {
    D2DCanvas canvas(*overlay.graphics, overlay.window.handle);
    return paint_frame(canvas, text, origin.x, origin.y, *overlay.current, layout);
}

}  // namespace

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
    // One text service for the layout and the paint: a text measured is drawn from the same text layout.
    DWriteTextService text(overlay.graphics->text);
    const FramePlan plan = plan_frame(frame, overlay.monitors, now, text);
    // No monitor, or nothing to show: no timer either, nothing changes until the next Frame.
    if (!plan.window) {
        hide(window);
        return;
    }
    const Layout& layout = plan.layout;
    const ScreenPoint origin = place(window, overlay.monitors[*plan.monitor], layout);

    Result<void> painted = paint(overlay, text, origin, layout);
    if (!painted && overlay.graphics->target_lost) {
        // A driver update, a GPU reset, a remote-desktop switch or sleep: the paint is made once more on a
        // new render target. Only when that fails too is the frame reported as not drawn.
        write_diagnostic(err, DEVICE_LOST_TEXT);
        painted = paint(overlay, text, origin, layout);
    }
    if (!painted) write_diagnostic(err, "cannot draw this frame: " + painted.error().text);
    keep_on_top(window.handle);

    // Still armed after a failed paint, so a later tick tries again.
    if (const auto wait = repaint_wait_ms(next_repaint(frame.toasts, now), now)) {
        (void)SetTimer(window.handle, REPAINT_TIMER_ID, *wait, nullptr);
    }
}

}  // namespace tolmin::win
