#pragma once
// The Wayland window system of the Linux overlay: the connection, the outputs as monitors, the one layer
// surface (made on the frame's output, made again on another output or after the compositor closed it,
// destroyed to hide), its picture buffers and canvas, and the events that ask for the frame to be applied
// again (outputs coming, going or changing; a buffer back after every one was held).

#include <memory>
#include <string>
#include <vector>

#include "base/output.hpp"
#include "linux/window_system.hpp"
#include "wayland/display.hpp"
#include "wayland/layer_surface.hpp"
#include "wayland/picture_buffers.hpp"
#include "wayland/wayland_canvas.hpp"

namespace tolmin::wayland {

class WaylandSystem final : public desktop::WindowSystem {
public:
    explicit WaylandSystem(Display& display);

    int fd() const override { return wl_display_get_fd(display_.get()); }
    desktop::DisplayEvents dispatch() override;
    bool flush() override;
    bool wants_write() const override { return wants_write_; }
    std::string lost_text() const override;

    std::vector<Monitor> monitors() override;
    // False when the surface is made anew (the first picture, another output, one the compositor closed),
    // or stands where the last picture did not.
    bool place(const FramePlan& plan) override;
    void hide() override;
    Result<void> draw(const std::function<Result<void>(Canvas&)>& paint) override;
    // A surface of the overlay layer stays above every window by itself.
    void keep_on_top() override {}

private:
    Display& display_;
    PictureBuffers buffers_;
    WaylandCanvas canvas_;
    std::unique_ptr<LayerSurface> surface_;
    std::vector<std::uint32_t> listed_;  // the outputs of the last monitors(), by global name
    std::vector<Monitor> monitors_;      // and what they were as monitors
    bool wants_write_ = false;
};

}  // namespace tolmin::wayland
