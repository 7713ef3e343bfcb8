#pragma once
// The overlay's surface on one output: a layer surface in the overlay layer, namespace "tolmin-overlay" (for
// the compositor's rules), never given the keyboard, taking no room from other surfaces (exclusive zone -1),
// with an empty input region so that every click lands below. It is anchored to a corner of its output; the
// first picture waits for the compositor's first configure, which is acknowledged before it. A surface the
// compositor closed shows nothing more and is made again by its owner.

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "layout/anchored_surface.hpp"
#include "paint/pixel_rect.hpp"
#include "wayland/display.hpp"
#include "wayland/picture_buffers.hpp"

namespace tolmin::wayland {

inline constexpr std::string_view SURFACE_NAMESPACE = "tolmin-overlay";

class LayerSurface {
public:
    LayerSurface(const Display& display, const CompositorOutput& output);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    // The global name of the output it stands on.
    std::uint32_t output() const { return output_; }
    bool closed() const { return closed_; }
    // Anchor, logical size and margins, and the buffer scale; they take effect with the next picture. The
    // first shape is committed at once, and the compositor answers it with the first configure.
    void shape(Anchor anchor, const AnchoredSurface& surface, std::int32_t scale);
    // Hands the buffer over with the parts of it that changed (buffer pixels): committed at once when the
    // surface has been configured, else as soon as it is. A picture still waiting is given back unused, its
    // damage added to the new one's; the first picture committed is damaged whole.
    void show(PictureBuffer& buffer, const std::vector<PixelRect>& damage);

private:
    static const zwlr_layer_surface_v1_listener LISTENER;
    void commit_waiting();

    std::uint32_t output_;
    Proxy<wl_surface> surface_;
    Proxy<zwlr_layer_surface_v1> layer_;
    bool shaped_ = false;  // the first shape is committed without a buffer
    bool configured_ = false;
    bool closed_ = false;
    bool committed_ = false;  // a picture was committed
    Anchor anchor_{};
    AnchoredSurface shape_;
    std::int32_t scale_ = 1;
    PictureBuffer* waiting_ = nullptr;  // handed over before the first configure
    std::vector<PixelRect> waiting_damage_;
};

}  // namespace tolmin::wayland
