#pragma once
// The drawing interface over Cairo: the picture is drawn into a premultiplied ARGB32 image that, like the
// overlay's bitmap, only grows and keeps its pixels from one paint to the next; each paint binds its top-left
// part of the layout's size and draws inside the damaged area only (cairo_clip). Clips are saved states,
// layers Cairo groups painted back at their opacity; texts are the Pango text service's layouts.

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
    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override;
    // As begin_surface, but draws into `target`, premultiplied ARGB32 memory of the caller's that holds width
    // x height pixels from its device offset on, keeps the pixels outside `area`, and stays the caller's
    // until present_surface; picture() stays null.
    Result<void> begin_surface_on(cairo_surface_t* target, std::int32_t width, std::int32_t height,
                                  const PixelRect& area);
    // Ends drawing; the picture stays until the next begin_surface. Fails when a drawing call put Cairo into
    // an error state.
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override;
    void push_clip(const PixelRect& rect) override;
    void pop_clip() override;
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
    // Begins drawing on `target` with its top-left width x height part bound, confined to `area` of it and
    // that area cleared.
    void bind(cairo_surface_t* target, std::int32_t width, std::int32_t height, const PixelRect& area);

    SurfacePtr surface_;
    std::optional<SurfaceSize> size_;
    CairoPtr cr_;                          // open from begin_surface to present_surface
    std::int32_t width_ = 0, height_ = 0;  // the bound part
    bool presented_ = false;
    bool own_ = true;             // drawing into surface_, not into a caller's target
    std::vector<double> layers_;  // the opacity of each pushed layer
    int clips_ = 0;               // clips pushed and not yet popped
};

}  // namespace tolmin::cairo
