#include "wayland/display.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace tolmin::wayland {
namespace {

// damage_buffer came with version 4 of wl_compositor; layer shell version 4 is the copy's.
constexpr std::uint32_t COMPOSITOR_VERSION = 4, SHM_VERSION = 1, LAYER_SHELL_VERSION = 4;
constexpr std::uint32_t OUTPUT_MANAGER_VERSION = 3;

template <class T>
T* bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface, std::uint32_t offered,
        std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

}  // namespace

const wl_registry_listener Display::REGISTRY_LISTENER = {
    .global = [](void* data, wl_registry*, std::uint32_t name, const char* interface,
                 std::uint32_t version) { static_cast<Display*>(data)->global(name, interface, version); },
    .global_remove = [](void* data, wl_registry*,
                        std::uint32_t name) { static_cast<Display*>(data)->global_remove(name); },
};

Result<std::unique_ptr<Display>> Display::connect() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0')
        return Error{"no Wayland display to draw on (WAYLAND_DISPLAY is not set)"};
    wl_display* display = wl_display_connect(name);
    if (display == nullptr) return Error{"cannot connect to the Wayland display " + std::string(name)};
    std::unique_ptr<Display> made(new Display(display, name));
    made->registry_.reset(wl_display_get_registry(display));
    (void)wl_registry_add_listener(made->registry_.get(), &REGISTRY_LISTENER, made.get());
    // The globals, then what the outputs bound on the way tell about themselves.
    if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0)
        return Error{"lost the connection to the Wayland display " + made->name_};
    const std::string_view missing = !made->compositor_    ? "wl_compositor version 4"
                                     : !made->shm_         ? "wl_shm"
                                     : !made->layer_shell_ ? "layer shell (zwlr_layer_shell_v1)"
                                                           : "";
    if (!missing.empty())
        return Error{"the Wayland compositor at " + made->name_ + " offers no " + std::string(missing)};
    made->outputs_changed_ = false;
    return made;
}

Display::~Display() {
    outputs_.clear();
    output_manager_.reset();
    layer_shell_.reset();
    shm_.reset();
    compositor_.reset();
    registry_.reset();
    wl_display_disconnect(display_);
}

void Display::global(std::uint32_t name, const char* interface, std::uint32_t version) {
    wl_registry* registry = registry_.get();
    const std::string_view kind(interface);
    if (kind == wl_compositor_interface.name && version >= COMPOSITOR_VERSION) {
        compositor_.reset(
            bind<wl_compositor>(registry, name, wl_compositor_interface, version, COMPOSITOR_VERSION));
    } else if (kind == wl_shm_interface.name) {
        shm_.reset(bind<wl_shm>(registry, name, wl_shm_interface, version, SHM_VERSION));
    } else if (kind == zwlr_layer_shell_v1_interface.name) {
        layer_shell_.reset(bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface, version,
                                                     LAYER_SHELL_VERSION));
    } else if (kind == zxdg_output_manager_v1_interface.name) {
        output_manager_.reset(bind<zxdg_output_manager_v1>(registry, name, zxdg_output_manager_v1_interface,
                                                           version, OUTPUT_MANAGER_VERSION));
        for (const auto& output : outputs_) output->describe_with(output_manager_.get());
    } else if (kind == wl_output_interface.name) {
        outputs_.push_back(
            std::make_unique<CompositorOutput>(registry, name, version, [this] { outputs_changed_ = true; }));
        outputs_.back()->describe_with(output_manager_.get());
    }
}

void Display::global_remove(std::uint32_t name) {
    const auto gone = std::remove_if(outputs_.begin(), outputs_.end(),
                                     [name](const auto& output) { return output->name() == name; });
    if (gone == outputs_.end()) return;
    outputs_.erase(gone, outputs_.end());
    outputs_changed_ = true;
}

}  // namespace tolmin::wayland
