#include "windows/apply.hpp"

#include <string>
#include <utility>

#include "layout/frame_plan.hpp"
#include "layout/repaint.hpp"
#include "paint/painter.hpp"
#include "windows/d2d_canvas.hpp"
#include "windows/monitors.hpp"
#include "windows/text_service.hpp"

namespace tolmin::win {
namespace {

constexpr std::string_view DEVICE_LOST_TEXT = "the graphics device was lost; drawing again";

}  // namespace

void apply(Overlay& overlay, RepeatFolder& reports) {
    apply_at(overlay, now_ms(), reports);
}

void apply_at(Overlay& overlay, double now, RepeatFolder& reports) {
    OverlayWindow& window = overlay.window;
    // At most one repaint is ever pending; failing to kill a timer that is not there is fine.
    (void)KillTimer(window.handle, REPAINT_TIMER_ID);
    // The counts of failures that stopped are told at the next application after their second.
    reports.write_due();

    if (!overlay.current) {
        overlay.shown.reset();
        hide(window);
        return;
    }
    const Frame& frame = *overlay.current;

    // Enumerated afresh every time, so a monitor added, removed or moved is seen at the next Frame or tick.
    overlay.monitors = enumerate_monitors();
    Graphics& graphics = *overlay.graphics;
    // One text service for the layout and the paint: a text measured is drawn from the same text layout.
    DWriteTextService& text = graphics.text_service();
    const FramePlan plan = plan_frame(frame, overlay.monitors, now, text);
    // No monitor, or nothing to show: no timer either, nothing changes until the next Frame.
    if (!plan.window) {
        overlay.shown.reset();
        hide(window);
        return;
    }
    const Layout& layout = plan.layout;
    const Monitor& monitor = overlay.monitors[*plan.monitor];
    const ScreenPoint origin = place(window, monitor, layout);

    ShownPicture next = shown_picture(frame, layout, monitor, *plan.window);
    Damage damage = damage_between(overlay.shown, next);
    // Until this paint succeeds, nothing is known of the picture: a failure leaves it partly drawn.
    overlay.shown.reset();
    const Result<void> painted = graphics.paint(
        [&] {
            D2DCanvas canvas(graphics, window.handle);
            return paint_frame(canvas, text, origin.x, origin.y, frame, layout, damage);
        },
        [&] {
            reports.report(DEVICE_LOST_TEXT);
            damage = Damage::all();  // the drawing again starts from nothing
        });
    if (painted) {
        overlay.shown = std::move(next);
    } else {
        reports.report("cannot draw this frame: " + painted.error().text);
    }
    keep_on_top(window.handle);

    // Still armed after a failed paint, so a later tick tries again.
    if (const auto wait = repaint_wait_ms(next_repaint(frame.toasts, now), now)) {
        (void)SetTimer(window.handle, REPAINT_TIMER_ID, *wait, nullptr);
    }
}

}  // namespace tolmin::win
