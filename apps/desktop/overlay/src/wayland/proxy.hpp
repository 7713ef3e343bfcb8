#pragma once
// Owning holders for Wayland objects: each goes with its owner through its interface's own destructor (the
// destroy or release request where the bound version has one, else only the client's side of it).

#include <wayland-client.h>

#include <memory>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace tolmin::wayland {

struct Destroyer {
    void operator()(wl_registry* object) const;
    void operator()(wl_compositor* object) const;
    void operator()(wl_shm* object) const;
    void operator()(wl_shm_pool* object) const;
    void operator()(wl_buffer* object) const;
    void operator()(wl_region* object) const;
    void operator()(wl_surface* object) const;
    void operator()(wl_output* object) const;
    void operator()(zxdg_output_manager_v1* object) const;
    void operator()(zxdg_output_v1* object) const;
    void operator()(zwlr_layer_shell_v1* object) const;
    void operator()(zwlr_layer_surface_v1* object) const;
};

template <class T>
using Proxy = std::unique_ptr<T, Destroyer>;

}  // namespace tolmin::wayland
