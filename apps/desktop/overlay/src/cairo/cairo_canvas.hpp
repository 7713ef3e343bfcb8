#pragma once
// The drawing interface over Cairo: the picture is drawn into a premultiplied ARGB32 image that, like the
// overlay's bitmap, only grows; each paint binds its top-left part of the layout's size. Layers are Cairo
// groups painted back at their opacity; texts are the Pango text service's layouts.

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "cairo/cairo_holders.hpp"
#include "paint/canvas.hpp"
#include "paint/surface_size.hpp"

namespace tolmin::cairo {

class CairoCanvas final : public Canvas {
public:
    Result<void> begin_surface(std::int32_t width, std::int32_t height) override;
    // As begin_surface, but draws into `target`, premultiplied ARGB32 memory of the caller's that holds width
    // x height pixels from its device offset on, and that it keeps until present_surface; picture() stays
    // null.
    Result<void> begin_surface_on(cairo_surface_t* target, std::int32_t width, std::int32_t height);
    // Ends drawing; the picture stays until the next begin_surface. Fails when a drawing call put Cairo into
    // an error state.
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                 std::int32_t height) override;
    void set_transform(double dx, double dy) override;
    void push_layer(double opacity) override;
    void pop_layer() override;
    void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) override;
    void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                      double alpha) override;
    void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) override;

    // The last presented picture, premultiplied ARGB32, as a surface of its own size over the canvas's
    // pixels, valid until the next begin_surface; null before the first presented paint.
    SurfacePtr picture() const;

private:
    // Begins drawing on `target` with its top-left width x height part bound and cleared.
    void bind(cairo_surface_t* target, std::int32_t width, std::int32_t height);

    SurfacePtr surface_;
    std::optional<SurfaceSize> size_;
    CairoPtr cr_;                          // open from begin_surface to present_surface
    std::int32_t width_ = 0, height_ = 0;  // the bound part
    bool presented_ = false;
    bool own_ = true;             // drawing into surface_, not into a caller's target
    std::vector<double> layers_;  // the opacity of each pushed layer
};

}  // namespace tolmin::cairo
