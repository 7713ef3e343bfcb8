#include "paint/frame_application.hpp"

#include <utility>

#include "layout/repaint.hpp"
#include "paint/painter.hpp"

namespace tolmin {

void apply_frame(OverlayState& state, double now, FrameWindow& window, TextService& text,
                 RepeatFolder& reports) {
    window.arm_repaint(std::nullopt);  // at most one repaint is ever pending
    // The counts of failures that stopped are told at the next application after their second.
    reports.write_due();
    const FramePlan plan =
        state.current ? plan_frame(*state.current, state.monitors, now, text) : FramePlan{};
    // No Frame, no monitor, or nothing to show: no timer either, nothing changes until the next Frame.
    if (!plan.window) {
        state.shown.reset();
        window.hide();
        return;
    }
    const Frame& frame = *state.current;
    const Monitor& monitor = state.monitors[*plan.monitor];
    const bool kept = window.place(plan, monitor);

    ShownPicture next = shown_picture(frame, plan.layout, monitor, *plan.window);
    const Damage damage = kept ? damage_between(state.shown, next) : Damage::all();
    // Until this paint succeeds, nothing is known of the picture: a failure leaves it partly drawn.
    state.shown.reset();
    const auto painting = [&](const Damage& areas) {
        return [&, areas](Canvas& canvas) {
            return paint_frame(canvas, text, plan.window->x, plan.window->y, frame, plan.layout, areas);
        };
    };
    Result<void> painted = window.draw(painting(damage));
    if (!painted && painted.error().kind == ErrorKind::DeviceLost) {
        reports.report(DEVICE_LOST_TEXT);
        painted = window.draw(painting(Damage::all()));  // the new device starts from nothing
    }
    if (painted) {
        state.shown = std::move(next);
    } else {
        reports.report("cannot draw this frame: " + painted.error().text);
    }
    window.keep_on_top();

    // Still armed after a failed paint, so a later tick tries again.
    if (const auto wait = repaint_wait_ms(next_repaint(frame.toasts, now), now)) window.arm_repaint(wait);
}

}  // namespace tolmin
