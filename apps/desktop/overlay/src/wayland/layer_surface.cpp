#include "wayland/layer_surface.hpp"

#include <string>
#include <utility>

namespace tolmin::wayland {
namespace {

std::uint32_t anchor_edges(Anchor anchor) {
    return (is_top(anchor) ? ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP : ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM) |
           (is_right(anchor) ? ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT : ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
}

std::uint32_t extent(std::int32_t value) {
    return static_cast<std::uint32_t>(value > 0 ? value : 1);  // 0 would ask the compositor to choose
}

}  // namespace

const zwlr_layer_surface_v1_listener LayerSurface::LISTENER = {
    .configure =
        [](void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t, std::uint32_t) {
            // The size asked for stands: the surface is anchored to one corner only.
            auto& self = *static_cast<LayerSurface*>(data);
            zwlr_layer_surface_v1_ack_configure(layer, serial);
            self.configured_ = true;
            self.commit_waiting();
        },
    .closed = [](void* data, zwlr_layer_surface_v1*) { static_cast<LayerSurface*>(data)->closed_ = true; },
};

LayerSurface::LayerSurface(const Display& display, const CompositorOutput& output)
    : output_(output.name()), surface_(wl_compositor_create_surface(display.compositor())) {
    const std::string name(SURFACE_NAMESPACE);
    layer_.reset(zwlr_layer_shell_v1_get_layer_surface(display.layer_shell(), surface_.get(), output.get(),
                                                       ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, name.c_str()));
    (void)zwlr_layer_surface_v1_add_listener(layer_.get(), &LISTENER, this);
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer_.get(),
                                                     ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    zwlr_layer_surface_v1_set_exclusive_zone(layer_.get(), -1);
    Proxy<wl_region> nothing(wl_compositor_create_region(display.compositor()));
    wl_surface_set_input_region(surface_.get(), nothing.get());
}

LayerSurface::~LayerSurface() {
    if (waiting_ != nullptr) waiting_->set_busy(false);
}

void LayerSurface::shape(Anchor anchor, const AnchoredSurface& surface, std::int32_t scale) {
    const bool first = !shaped_;
    if (first || anchor != anchor_) zwlr_layer_surface_v1_set_anchor(layer_.get(), anchor_edges(anchor));
    if (first || surface.width != shape_.width || surface.height != shape_.height)
        zwlr_layer_surface_v1_set_size(layer_.get(), extent(surface.width), extent(surface.height));
    if (first || surface.margin_x != shape_.margin_x || surface.margin_y != shape_.margin_y) {
        // Top, right, bottom, left: only those of the anchored edges count.
        zwlr_layer_surface_v1_set_margin(layer_.get(), surface.margin_y, surface.margin_x, surface.margin_y,
                                         surface.margin_x);
    }
    if (first || scale != scale_) wl_surface_set_buffer_scale(surface_.get(), scale);
    anchor_ = anchor, shape_ = surface, scale_ = scale, shaped_ = true;
    if (first)
        wl_surface_commit(surface_.get());  // without a buffer: the compositor answers with a configure
}

void LayerSurface::show(PictureBuffer& buffer, const std::vector<PixelRect>& damage) {
    if (waiting_ != nullptr && waiting_ != &buffer) waiting_->set_busy(false);
    buffer.set_busy(true);
    waiting_ = &buffer;
    waiting_damage_.insert(waiting_damage_.end(), damage.begin(), damage.end());
    if (configured_) commit_waiting();
}

void LayerSurface::commit_waiting() {
    if (waiting_ == nullptr || closed_) return;
    wl_surface* surface = surface_.get();
    wl_surface_attach(surface, waiting_->get(), 0, 0);
    if (!std::exchange(committed_, true))
        waiting_damage_.assign(1, {0, 0, waiting_->width(), waiting_->height()});
    for (const PixelRect& rect : waiting_damage_)
        wl_surface_damage_buffer(surface, rect.x, rect.y, rect.width, rect.height);
    wl_surface_commit(surface);
    waiting_ = nullptr;
    waiting_damage_.clear();
}

}  // namespace tolmin::wayland
