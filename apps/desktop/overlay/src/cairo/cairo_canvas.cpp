#include "cairo/cairo_canvas.hpp"

#include <pango/pangocairo.h>

#include <cmath>
#include <string>
#include <utility>

#include "cairo/pango_text.hpp"

namespace tolmin::cairo {
namespace {

Error cairo_error(std::string_view what, cairo_status_t status) {
    return Error{std::string(what) + ": " + cairo_status_to_string(status)};
}

}  // namespace

Result<void> CairoCanvas::begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) {
    presented_ = false;
    layers_.clear();
    clips_ = 0;
    cr_.reset();
    if (const std::optional<SurfaceSize> grown = grown_surface_size(size_, width, height)) {
        SurfacePtr made(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, grown->width, grown->height));
        if (const cairo_status_t status = cairo_surface_status(made.get()); status != CAIRO_STATUS_SUCCESS) {
            return cairo_error("cannot make a " + std::to_string(grown->width) + " x " +
                                   std::to_string(grown->height) + " picture",
                               status);
        }
        surface_ = std::move(made);
        size_ = grown;
    }
    bind(surface_.get(), width, height, area);
    own_ = true;
    return {};
}

Result<void> CairoCanvas::begin_surface_on(cairo_surface_t* target, std::int32_t width, std::int32_t height,
                                           const PixelRect& area) {
    presented_ = false;
    layers_.clear();
    clips_ = 0;
    cr_.reset();
    if (const cairo_status_t status = cairo_surface_status(target); status != CAIRO_STATUS_SUCCESS)
        return cairo_error("cannot draw into the picture", status);
    bind(target, width, height, area);
    own_ = false;
    return {};
}

void CairoCanvas::bind(cairo_surface_t* target, std::int32_t width, std::int32_t height,
                       const PixelRect& area) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    cr_.reset(cairo_create(target));
    cairo_t* cr = cr_.get();
    // Bind the top-left part, confine drawing to the area and clear that to transparent.
    const PixelRect drawn = intersection(area, PixelRect{0, 0, width_, height_});
    cairo_rectangle(cr, drawn.x, drawn.y, drawn.width, drawn.height);
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

Result<void> CairoCanvas::present_surface(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                          const PixelRect&) {
    if (!cr_) return Error{"nothing was begun"};
    const cairo_status_t status = cairo_status(cr_.get());
    cairo_surface_flush(cairo_get_target(cr_.get()));
    cr_.reset();
    if (status != CAIRO_STATUS_SUCCESS) return cairo_error("drawing failed", status);
    presented_ = own_;
    return {};
}

void CairoCanvas::set_transform(double dx, double dy) {
    cairo_t* cr = cr_.get();
    cairo_identity_matrix(cr);
    if (std::isfinite(dx) && std::isfinite(dy)) cairo_translate(cr, dx, dy);
}

void CairoCanvas::push_clip(const PixelRect& rect) {
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    // In the picture's pixels: the rectangle is given without the block's transform.
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width > 0 ? rect.width : 0, rect.height > 0 ? rect.height : 0);
    cairo_clip(cr);
    ++clips_;
}

void CairoCanvas::pop_clip() {
    if (clips_ == 0) return;
    cairo_restore(cr_.get());  // also the transform of the time of push_clip
    --clips_;
}

void CairoCanvas::push_layer(double opacity) {
    cairo_push_group(cr_.get());
    layers_.push_back(opacity);
}

void CairoCanvas::pop_layer() {
    if (layers_.empty()) return;
    cairo_t* cr = cr_.get();
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, layers_.back());
    layers_.pop_back();
}

void CairoCanvas::fill_rectangle(const RectF& rect, const Rgb& color, double alpha) {
    cairo_t* cr = cr_.get();
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
    cairo_rectangle(cr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(cr);
}

void CairoCanvas::fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                               double alpha) {
    // A zero or non-finite radius would make the scaling below singular; such an ellipse covers nothing.
    if (!(radius_x > 0 && radius_y > 0 && std::isfinite(radius_x) && std::isfinite(radius_y))) return;
    cairo_t* cr = cr_.get();
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
    cairo_save(cr);
    cairo_translate(cr, center.x, center.y);
    cairo_scale(cr, radius_x, radius_y);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
}

void CairoCanvas::draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) {
    // Only boxes made by the Pango text service can be drawn here.
    const auto* text = dynamic_cast<const PangoTextHandle*>(box.handle.get());
    if (text == nullptr) return;
    cairo_t* cr = cr_.get();
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, text->layout.get());
}

SurfacePtr CairoCanvas::picture() const {
    if (!presented_) return nullptr;
    return SurfacePtr(cairo_image_surface_create_for_data(cairo_image_surface_get_data(surface_.get()),
                                                          CAIRO_FORMAT_ARGB32, width_, height_,
                                                          cairo_image_surface_get_stride(surface_.get())));
}

}  // namespace tolmin::cairo
