#pragma once
// One output (monitor) of the compositor, as wl_output (version 4 gives its name, e.g. "DP-1") and, where the
// compositor offers it, xdg-output (its logical position and size, right under a transform or a fractional
// scale) describe it. Its facts change while it lives; each batch ends with a `done`, which is reported.

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "layout/monitor.hpp"
#include "wayland/proxy.hpp"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace tolmin::wayland {

class CompositorOutput {
public:
    // Binds the global `name` at up to version 4; `done` is called after each complete batch of facts.
    CompositorOutput(wl_registry* registry, std::uint32_t name, std::uint32_t version,
                     std::function<void()> done);
    CompositorOutput(const CompositorOutput&) = delete;
    CompositorOutput& operator=(const CompositorOutput&) = delete;
    ~CompositorOutput();

    // Asks xdg-output for the logical facts as well (once).
    void describe_with(zxdg_output_manager_v1* manager);

    std::uint32_t name() const { return name_; }
    wl_output* get() const { return output_.get(); }
    // Whether its first batch of facts is complete.
    bool ready() const { return ready_; }
    std::int32_t scale() const { return scale_; }
    // As a monitor: logical size times the integer scale in pixels, DPI 96 times the scale, never primary.
    Monitor monitor() const;

private:
    static const wl_output_listener OUTPUT_LISTENER;
    static const zxdg_output_v1_listener XDG_OUTPUT_LISTENER;

    void finished();

    std::uint32_t name_;
    std::uint32_t version_;
    std::function<void()> done_;
    Proxy<wl_output> output_;
    Proxy<zxdg_output_v1> xdg_output_;
    bool ready_ = false;
    std::optional<std::string> label_;  // the output's name
    std::int32_t x_ = 0, y_ = 0;        // position in the compositor's space
    std::int32_t mode_width_ = 0, mode_height_ = 0, transform_ = WL_OUTPUT_TRANSFORM_NORMAL, scale_ = 1;
    std::optional<std::int32_t> logical_width_, logical_height_;  // from xdg-output
};

}  // namespace tolmin::wayland
