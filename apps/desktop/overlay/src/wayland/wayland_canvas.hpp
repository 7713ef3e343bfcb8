#pragma once
// The painter's drawing interface for the Wayland overlay: the Cairo canvas draws straight into a free
// picture buffer of the surface's size, at the picture's offset in it. One paint draws its damaged areas into
// one buffer, brought up to date first (picture_buffers.hpp); finishing the paint hands that buffer to the
// layer surface with those areas as its damage.

#include <cstdint>
#include <vector>

#include "cairo/cairo_backed_canvas.hpp"
#include "layout/anchored_surface.hpp"
#include "wayland/layer_surface.hpp"
#include "wayland/picture_buffers.hpp"

namespace tolmin::wayland {

class WaylandCanvas final : public cairo::CairoBackedCanvas {
public:
    explicit WaylandCanvas(PictureBuffers& buffers) : buffers_(buffers) {}

    // The surface the next pictures go to, with its buffer's size and the picture's place in it; none while
    // the overlay is hidden (painting then fails).
    void aim(LayerSurface* surface, const AnchoredSurface& shape) { surface_ = surface, shape_ = shape; }
    // Whether the picture last shown stands where a width x height picture of the shape aimed at would, so
    // that the next one can be drawn in parts.
    bool holds(std::int32_t width, std::int32_t height) const {
        return buffers_.holds(picture(width, height));
    }

    // The first area of a paint takes the buffer; the others draw into the same one.
    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override;
    // Ends the drawing of an area, to be shown when the paint is finished.
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override;
    // After a paint: hands its buffer to the surface (which the placement already shaped), or, when the paint
    // failed, keeps it back.
    void finish(bool painted);

private:
    // A width x height picture's place in the buffer (buffer pixels).
    PixelRect picture(std::int32_t width, std::int32_t height) const;
    // `area` of the picture in buffer pixels, cut to the picture.
    PixelRect in_buffer(const PixelRect& area) const;

    PictureBuffers& buffers_;
    LayerSurface* surface_ = nullptr;
    AnchoredSurface shape_;
    PictureBuffer* drawing_ = nullptr;  // from the first begin_surface of a paint to its finish
    cairo::SurfacePtr target_;          // the Cairo surface over it
    PixelRect drawn_;                   // where the picture stands in it
    std::vector<PixelRect> damage_;     // the areas presented, buffer pixels
};

}  // namespace tolmin::wayland
