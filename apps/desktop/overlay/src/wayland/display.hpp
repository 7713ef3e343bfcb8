#pragma once
// The connection to the Wayland compositor: opened from WAYLAND_DISPLAY, closed with its owner, with the
// globals the overlay draws through (wl_compositor, wl_shm, zwlr_layer_shell_v1, and xdg-output where there)
// and the outputs in the order the compositor announced them, followed as they come and go.

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/result.hpp"
#include "wayland/compositor_output.hpp"
#include "wayland/proxy.hpp"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace tolmin::wayland {

class Display {
public:
    // WAYLAND_DISPLAY unset, a compositor that cannot be reached or that lacks a global the overlay needs: an
    // error saying which. Learns the globals and every output's facts before it returns.
    static Result<std::unique_ptr<Display>> connect();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    wl_display* get() const { return display_; }
    // The display's name as WAYLAND_DISPLAY gives it, for messages.
    const std::string& name() const { return name_; }
    // True once the connection has failed: nothing more can be done with it.
    bool lost() const { return wl_display_get_error(display_) != 0; }

    wl_compositor* compositor() const { return compositor_.get(); }
    wl_shm* shm() const { return shm_.get(); }
    zwlr_layer_shell_v1* layer_shell() const { return layer_shell_.get(); }
    // The outputs, first announced first; some may not have told all their facts yet
    // (CompositorOutput::ready).
    const std::vector<std::unique_ptr<CompositorOutput>>& outputs() const { return outputs_; }
    // Whether an output came, went or changed since the last call.
    bool take_outputs_changed() { return std::exchange(outputs_changed_, false); }

private:
    Display(wl_display* display, std::string name) : display_(display), name_(std::move(name)) {}
    static const wl_registry_listener REGISTRY_LISTENER;
    void global(std::uint32_t name, const char* interface, std::uint32_t version);
    void global_remove(std::uint32_t name);

    wl_display* display_;
    std::string name_;
    Proxy<wl_registry> registry_;
    Proxy<wl_compositor> compositor_;
    Proxy<wl_shm> shm_;
    Proxy<zwlr_layer_shell_v1> layer_shell_;
    Proxy<zxdg_output_manager_v1> output_manager_;
    std::vector<std::unique_ptr<CompositorOutput>> outputs_;
    bool outputs_changed_ = false;
};

}  // namespace tolmin::wayland
