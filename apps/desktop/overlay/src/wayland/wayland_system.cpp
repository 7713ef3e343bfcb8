#include "wayland/wayland_system.hpp"

#include <poll.h>

#include <cerrno>

#include "layout/frame_plan.hpp"

namespace tolmin::wayland {

WaylandSystem::WaylandSystem(Display& display)
    : display_(display), buffers_(display.shm()), canvas_(buffers_) {}

desktop::DisplayEvents WaylandSystem::dispatch() {
    wl_display* d = display_.get();
    desktop::DisplayEvents events;
    // Whatever was read already is handled first; then whatever has arrived is read without waiting.
    while (wl_display_prepare_read(d) != 0) {
        if (wl_display_dispatch_pending(d) < 0) {
            events.lost = true;
            return events;
        }
    }
    pollfd ready{wl_display_get_fd(d), POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) {
        (void)wl_display_read_events(d);
    } else {
        wl_display_cancel_read(d);
    }
    events.lost = wl_display_dispatch_pending(d) < 0 || display_.lost();
    // A surface the compositor closed is made again by the next frame's placement.
    events.changed = display_.take_outputs_changed() || buffers_.take_returned();
    return events;
}

bool WaylandSystem::flush() {
    // A full socket is no failure: the rest goes when the compositor has read some (the loop waits for that).
    const bool failed = wl_display_flush(display_.get()) < 0;
    wants_write_ = failed && errno == EAGAIN;
    return (!failed || wants_write_) && !display_.lost();
}

std::string WaylandSystem::lost_text() const {
    return "lost the connection to the Wayland display " + display_.name();
}

std::vector<Monitor> WaylandSystem::monitors() {
    listed_.clear();
    monitors_.clear();
    for (const auto& output : display_.outputs()) {
        if (!output->ready()) continue;
        listed_.push_back(output->name());
        monitors_.push_back(output->monitor());
    }
    return monitors_;
}

bool WaylandSystem::place(const FramePlan& plan) {
    const std::size_t index = *plan.monitor;
    const CompositorOutput* output = nullptr;
    for (const auto& candidate : display_.outputs())
        if (index < listed_.size() && candidate->name() == listed_[index]) output = candidate.get();
    if (output == nullptr) {
        hide();
        return false;
    }
    // The protocol moves no layer surface to another output: a new one is made there.
    if (surface_ && (surface_->output() != output->name() || surface_->closed())) surface_.reset();
    const bool made = !surface_;
    if (made) surface_ = std::make_unique<LayerSurface>(display_, *output);
    const AnchoredSurface shape =
        anchored_surface(monitors_[index], plan.layout.anchor, *plan.window, output->scale());
    surface_->shape(plan.layout.anchor, shape, output->scale());
    canvas_.aim(surface_.get(), shape);
    return !made && canvas_.holds(plan.window->width, plan.window->height);
}

Result<void> WaylandSystem::draw(const std::function<Result<void>(Canvas&)>& paint) {
    Result<void> painted = paint(canvas_);
    canvas_.finish(painted.ok());
    return painted;
}

void WaylandSystem::hide() {
    canvas_.aim(nullptr, {});
    surface_.reset();
}

}  // namespace tolmin::wayland
