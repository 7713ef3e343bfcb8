#include "linux/overlay_loop.hpp"

#include <poll.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "layout/frame_plan.hpp"
#include "layout/repaint.hpp"
#include "paint/painter.hpp"

namespace tolmin::desktop {
namespace {

struct Overlay {
    WindowSystem& system;
    TextService& text;
    const RepaintTimer& timer;
    Output& err;
    std::unique_ptr<Frame> current;  // null until the first Frame arrives
    // Read for every new Frame and every display change; a repaint tick uses them as they are.
    std::vector<Monitor> monitors;
};

void apply(Overlay& overlay, double now) {
    overlay.timer.arm(std::nullopt);  // at most one repaint is ever pending
    if (!overlay.current) {
        overlay.system.hide();
        return;
    }
    const Frame& frame = *overlay.current;
    const FramePlan plan = plan_frame(frame, overlay.monitors, now, overlay.text);
    // No monitor, or nothing to show: no timer either, nothing changes until the next Frame.
    if (!plan.window) {
        overlay.system.hide();
        return;
    }
    overlay.system.place(plan);
    const Result<void> painted = paint_frame(overlay.system.canvas(), overlay.text, plan.window->x,
                                             plan.window->y, frame, plan.layout);
    if (!painted) write_diagnostic(overlay.err, "cannot draw this frame: " + painted.error().text);
    overlay.system.keep_on_top();
    // Still armed after a failed paint, so a later tick tries again.
    overlay.timer.arm(repaint_wait_ms(next_repaint(frame.toasts, now), now));
}

bool ready(const pollfd& fd) {
    return (fd.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

}  // namespace

std::uint32_t run_overlay_loop(WindowSystem& system, TextService& text, FrameChannel& channel,
                               const RepaintTimer& timer, Output& err) {
    Overlay overlay{system, text, timer, err, nullptr, {}};
    for (;;) {
        const DisplayEvents events = system.dispatch();
        if (events.lost || !system.flush()) {
            write_diagnostic(err, system.lost_text());
            return 1;
        }
        if (events.changed) {
            overlay.monitors = system.monitors();
            apply(overlay, now_ms());
            continue;  // its requests go out, and what arrived meanwhile is handled, before the wait
        }
        const auto display_events = static_cast<short>(system.wants_write() ? POLLIN | POLLOUT : POLLIN);
        pollfd fds[] = {{system.fd(), display_events, 0}, {channel.fd(), POLLIN, 0}, {timer.fd(), POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            write_diagnostic(err, system.lost_text());
            return 1;
        }
        if (ready(fds[2])) {
            timer.drain();
            apply(overlay, now_ms());
        }
        if (ready(fds[1])) {
            channel.drain();
            const bool ended = channel.ended();  // first: a Frame put before the end is still taken below
            if (std::unique_ptr<Frame> frame = channel.slot().take()) {
                overlay.current = std::move(frame);
                overlay.monitors = system.monitors();
                apply(overlay, now_ms());
            }
            if (ended) {
                system.flush();
                return 0;
            }
        }
    }
}

}  // namespace tolmin::desktop
