#include "wayland/proxy.hpp"

namespace tolmin::wayland {

void Destroyer::operator()(wl_registry* object) const {
    wl_registry_destroy(object);
}

void Destroyer::operator()(wl_compositor* object) const {
    wl_compositor_destroy(object);
}

void Destroyer::operator()(wl_shm* object) const {
    wl_shm_destroy(object);
}

void Destroyer::operator()(wl_shm_pool* object) const {
    wl_shm_pool_destroy(object);
}

void Destroyer::operator()(wl_buffer* object) const {
    wl_buffer_destroy(object);
}

void Destroyer::operator()(wl_region* object) const {
    wl_region_destroy(object);
}

void Destroyer::operator()(wl_surface* object) const {
    wl_surface_destroy(object);
}

void Destroyer::operator()(wl_output* object) const {
    if (wl_output_get_version(object) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(object);
    } else {
        wl_output_destroy(object);
    }
}

void Destroyer::operator()(zxdg_output_manager_v1* object) const {
    zxdg_output_manager_v1_destroy(object);
}

void Destroyer::operator()(zxdg_output_v1* object) const {
    zxdg_output_v1_destroy(object);
}

void Destroyer::operator()(zwlr_layer_shell_v1* object) const {
    if (zwlr_layer_shell_v1_get_version(object) >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION) {
        zwlr_layer_shell_v1_destroy(object);
    } else {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(object));
    }
}

void Destroyer::operator()(zwlr_layer_surface_v1* object) const {
    zwlr_layer_surface_v1_destroy(object);
}

}  // namespace tolmin::wayland
