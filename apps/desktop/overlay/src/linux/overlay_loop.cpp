#include "linux/overlay_loop.hpp"

#include <poll.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "layout/repaint.hpp"
#include "paint/frame_application.hpp"

namespace tolmin::desktop {
namespace {

// The window system and the repaint timer as the frame application uses them.
class LinuxFrameWindow final : public FrameWindow {
public:
    LinuxFrameWindow(WindowSystem& system, const RepaintTimer& timer) : system_(system), timer_(timer) {}

    void arm_repaint(std::optional<std::uint32_t> wait_ms) override { timer_.arm(wait_ms); }
    void hide() override { system_.hide(); }
    bool place(const FramePlan& plan, const Monitor&) override { return system_.place(plan); }
    Result<void> draw(const std::function<Result<void>(Canvas&)>& paint) override {
        return system_.draw(paint);
    }
    void keep_on_top() override { system_.keep_on_top(); }

private:
    WindowSystem& system_;
    const RepaintTimer& timer_;
};

bool ready(const pollfd& fd) {
    return (fd.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

}  // namespace

std::uint32_t run_overlay_loop(WindowSystem& system, TextService& text, FrameChannel& channel,
                               const RepaintTimer& timer, RepeatFolder& reports, Output& err) {
    LinuxFrameWindow window(system, timer);
    // The monitors are read for every new Frame and every display change; a repaint tick uses them as they
    // are.
    OverlayState state;
    const auto apply = [&] { apply_frame(state, now_ms(), window, text, reports); };
    for (;;) {
        const DisplayEvents events = system.dispatch();
        if (events.lost || !system.flush()) {
            reports.flush();
            write_diagnostic(err, system.lost_text());
            return 1;
        }
        // A picture the display refused is not on the screen: the next one is painted whole.
        for (const std::string& failure : events.failures) reports.report(failure);
        if (!events.failures.empty()) state.shown.reset();
        if (events.changed) {
            state.monitors = system.monitors();
            state.shown.reset();  // compositing came or went, or the window's output changed under it
            apply();
            continue;  // its requests go out, and what arrived meanwhile is handled, before the wait
        }
        const auto display_events = static_cast<short>(system.wants_write() ? POLLIN | POLLOUT : POLLIN);
        pollfd fds[] = {{system.fd(), display_events, 0}, {channel.fd(), POLLIN, 0}, {timer.fd(), POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            reports.flush();
            write_diagnostic(err, system.lost_text());
            return 1;
        }
        if (ready(fds[2])) {
            timer.drain();
            apply();
        }
        if (ready(fds[1])) {
            channel.drain();
            const bool ended = channel.ended();  // first: a Frame put before the end is still taken below
            if (std::unique_ptr<Frame> frame = channel.slot().take()) {
                state.current = std::move(frame);
                state.monitors = system.monitors();
                apply();
            }
            if (ended) {
                system.flush();
                reports.flush();
                return 0;
            }
        }
    }
}

}  // namespace tolmin::desktop
