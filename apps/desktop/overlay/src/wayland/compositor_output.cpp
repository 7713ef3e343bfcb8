#include "wayland/compositor_output.hpp"

#include <algorithm>
#include <utility>

#include "layout/desktop_monitors.hpp"

namespace tolmin::wayland {
namespace {

constexpr std::uint32_t OUTPUT_VERSION = 4;  // the name event

CompositorOutput& self(void* data) {
    return *static_cast<CompositorOutput*>(data);
}

}  // namespace

const wl_output_listener CompositorOutput::OUTPUT_LISTENER = {
    .geometry =
        [](void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t, std::int32_t,
           const char*, const char*, std::int32_t transform) {
            CompositorOutput& o = self(data);
            o.x_ = x, o.y_ = y, o.transform_ = transform;
        },
    .mode =
        [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
           std::int32_t) {
            if ((flags & WL_OUTPUT_MODE_CURRENT) == 0) return;
            self(data).mode_width_ = width, self(data).mode_height_ = height;
        },
    .done = [](void* data, wl_output*) { self(data).finished(); },
    .scale = [](void* data, wl_output*, std::int32_t factor) { self(data).scale_ = std::max(factor, 1); },
    .name = [](void* data, wl_output*, const char* name) { self(data).label_ = name; },
    .description = [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener CompositorOutput::XDG_OUTPUT_LISTENER = {
    .logical_position = [](void* data, zxdg_output_v1*, std::int32_t x,
                           std::int32_t y) { self(data).x_ = x, self(data).y_ = y; },
    .logical_size =
        [](void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
            self(data).logical_width_ = width, self(data).logical_height_ = height;
        },
    // Before version 3 xdg-output ends its own batches; from 3 on, wl_output's done ends both.
    .done = [](void* data, zxdg_output_v1*) { self(data).finished(); },
    .name =
        [](void* data, zxdg_output_v1*, const char* name) {
            CompositorOutput& o = self(data);
            if (o.version_ < OUTPUT_VERSION) o.label_ = name;  // wl_output names it from version 4 on
        },
    .description = [](void*, zxdg_output_v1*, const char*) {},
};

CompositorOutput::CompositorOutput(wl_registry* registry, std::uint32_t name, std::uint32_t version,
                                   std::function<void()> done)
    : name_(name),
      version_(std::min(version, OUTPUT_VERSION)),
      done_(std::move(done)),
      output_(static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, version_))) {
    (void)wl_output_add_listener(output_.get(), &OUTPUT_LISTENER, this);
}

CompositorOutput::~CompositorOutput() {
    xdg_output_.reset();
}

void CompositorOutput::describe_with(zxdg_output_manager_v1* manager) {
    if (manager == nullptr || xdg_output_) return;
    xdg_output_.reset(zxdg_output_manager_v1_get_xdg_output(manager, output_.get()));
    (void)zxdg_output_v1_add_listener(xdg_output_.get(), &XDG_OUTPUT_LISTENER, this);
}

void CompositorOutput::finished() {
    ready_ = true;
    done_();
}

Monitor CompositorOutput::monitor() const {
    std::int32_t width = logical_width_.value_or(0), height = logical_height_.value_or(0);
    if (!logical_width_ || !logical_height_) {
        // Without xdg-output: the current mode, turned by the transform, in logical pixels.
        const bool turned = (transform_ & WL_OUTPUT_TRANSFORM_90) != 0;
        width = (turned ? mode_height_ : mode_width_) / scale_;
        height = (turned ? mode_width_ : mode_height_) / scale_;
    }
    DesktopMonitor desktop{std::nullopt, x_, y_, width * scale_, height * scale_, false};
    if (label_) desktop.name = *label_;
    return monitor_from_desktop(desktop, DEFAULT_DPI * static_cast<std::uint32_t>(scale_));
}

}  // namespace tolmin::wayland
