#pragma once
// The X11 window system of the Linux overlay: the connection, the overlay window, its canvas and presenter,
// the monitors and the compositing manager's presence, and what the display's events ask for.

#include <memory>
#include <string>
#include <vector>

#include "base/output.hpp"
#include "linux/window_system.hpp"
#include "x11/compositor.hpp"
#include "x11/connection.hpp"
#include "x11/monitors.hpp"
#include "x11/overlay_window.hpp"
#include "x11/presenter.hpp"
#include "x11/x11_canvas.hpp"

namespace tolmin::x11 {

// Without a compositing manager the window is cut to its blocks: this says so (after the prefix).
inline constexpr std::string_view NO_COMPOSITOR_TEXT =
    "no compositing manager runs on this display; the overlay is cut to its blocks, without translucency";

class X11System final : public desktop::WindowSystem {
public:
    // Writes NO_COMPOSITOR_TEXT on `err` when no compositing manager runs, and again whenever one goes.
    X11System(const Connection& connection, std::unique_ptr<OverlayWindow> window, Output& err);

    int fd() const override { return xcb_get_file_descriptor(connection_.get()); }
    desktop::DisplayEvents dispatch() override;
    bool flush() override;
    std::string lost_text() const override;

    std::vector<Monitor> monitors() override { return monitors_.read(); }
    // An X window keeps its picture where it goes (its parts that come back into view are exposed and put
    // again).
    bool place(const FramePlan& plan) override {
        window_->place(*plan.window);
        return true;
    }
    void hide() override { window_->hide(); }
    Result<void> draw(const std::function<Result<void>(Canvas&)>& paint) override;
    void keep_on_top() override { window_->raise(); }

private:
    void handle(const xcb_generic_event_t& event, desktop::DisplayEvents& events);

    const Connection& connection_;
    std::unique_ptr<OverlayWindow> window_;
    Presenter presenter_;
    X11Canvas canvas_;
    MonitorSource monitors_;
    CompositorWatch compositor_;
    xcb_atom_t resource_manager_;
    Output& err_;
};

}  // namespace tolmin::x11
