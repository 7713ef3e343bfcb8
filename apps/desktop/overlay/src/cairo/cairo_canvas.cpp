#include "cairo/cairo_canvas.hpp"

#include <pango/pangocairo.h>

#include <cmath>
#include <string>

#include "cairo/pango_text.hpp"

namespace tolmin::cairo {
namespace {

Error cairo_error(std::string_view what, cairo_status_t status) {
    return Error{std::string(what) + ": " + cairo_status_to_string(status)};
}

}  // namespace

CairoCanvas::~CairoCanvas() {
    if (cr_ != nullptr) cairo_destroy(cr_);
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

Result<void> CairoCanvas::begin_surface(std::int32_t width, std::int32_t height) {
    presented_ = false;
    layers_.clear();
    if (cr_ != nullptr) {
        cairo_destroy(cr_);
        cr_ = nullptr;
    }
    if (const std::optional<SurfaceSize> grown = grown_surface_size(size_, width, height)) {
        cairo_surface_t* made = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, grown->width, grown->height);
        if (const cairo_status_t status = cairo_surface_status(made); status != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(made);
            return cairo_error("cannot make a " + std::to_string(grown->width) + " x " +
                                   std::to_string(grown->height) + " picture",
                               status);
        }
        if (surface_ != nullptr) cairo_surface_destroy(surface_);
        surface_ = made;
        size_ = grown;
    }
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    cr_ = cairo_create(surface_);
    // Bind the top-left part and clear it to transparent.
    cairo_rectangle(cr_, 0, 0, width_, height_);
    cairo_clip(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    return {};
}

Result<void> CairoCanvas::present_surface(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    if (cr_ == nullptr) return Error{"nothing was begun"};
    const cairo_status_t status = cairo_status(cr_);
    cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_flush(surface_);
    if (status != CAIRO_STATUS_SUCCESS) return cairo_error("drawing failed", status);
    presented_ = true;
    return {};
}

void CairoCanvas::set_transform(double dx, double dy) {
    cairo_identity_matrix(cr_);
    if (std::isfinite(dx) && std::isfinite(dy)) cairo_translate(cr_, dx, dy);
}

void CairoCanvas::push_layer(double opacity) {
    cairo_push_group(cr_);
    layers_.push_back(opacity);
}

void CairoCanvas::pop_layer() {
    if (layers_.empty()) return;
    cairo_pop_group_to_source(cr_);
    cairo_paint_with_alpha(cr_, layers_.back());
    layers_.pop_back();
}

void CairoCanvas::fill_rectangle(const RectF& rect, const Rgb& color, double alpha) {
    cairo_set_source_rgba(cr_, color.r, color.g, color.b, alpha);
    cairo_rectangle(cr_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(cr_);
}

void CairoCanvas::fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                               double alpha) {
    // A zero or non-finite radius would make the scaling below singular; such an ellipse covers nothing.
    if (!(radius_x > 0 && radius_y > 0 && std::isfinite(radius_x) && std::isfinite(radius_y))) return;
    cairo_set_source_rgba(cr_, color.r, color.g, color.b, alpha);
    cairo_save(cr_);
    cairo_translate(cr_, center.x, center.y);
    cairo_scale(cr_, radius_x, radius_y);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr_);
    cairo_fill(cr_);
}

void CairoCanvas::draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) {
    // Only boxes made by the Pango text service can be drawn here.
    const auto* text = dynamic_cast<const PangoTextHandle*>(box.handle.get());
    if (text == nullptr) return;
    cairo_set_source_rgba(cr_, color.r, color.g, color.b, alpha);
    cairo_move_to(cr_, origin.x, origin.y);
    pango_cairo_show_layout(cr_, text->layout);
}

cairo_surface_t* CairoCanvas::picture() const {
    if (!presented_) return nullptr;
    return cairo_image_surface_create_for_data(cairo_image_surface_get_data(surface_), CAIRO_FORMAT_ARGB32,
                                               width_, height_, cairo_image_surface_get_stride(surface_));
}

}  // namespace tolmin::cairo
