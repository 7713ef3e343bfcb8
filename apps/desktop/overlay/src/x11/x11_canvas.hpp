#pragma once
// The painter's drawing interface for the X11 overlay: the Cairo canvas draws the picture, and presenting a
// damaged area puts that area into the window. The last picture stays, so an exposed part is put again
// without painting.

#include "cairo/cairo_canvas.hpp"
#include "x11/presenter.hpp"

namespace tolmin::x11 {

class X11Canvas final : public Canvas {
public:
    explicit X11Canvas(Presenter& presenter) : presenter_(presenter) {}

    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override {
        return cairo_.begin_surface(width, height, area);
    }
    // Ends the drawing and puts the area drawn into the window (which the placement already moved to x, y).
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override;
    void push_clip(const PixelRect& rect) override { cairo_.push_clip(rect); }
    void pop_clip() override { cairo_.pop_clip(); }
    void set_transform(double dx, double dy) override { cairo_.set_transform(dx, dy); }
    void push_layer(double opacity) override { cairo_.push_layer(opacity); }
    void pop_layer() override { cairo_.pop_layer(); }
    void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) override {
        cairo_.fill_rectangle(rect, color, alpha);
    }
    void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                      double alpha) override {
        cairo_.fill_ellipse(center, radius_x, radius_y, color, alpha);
    }
    void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) override {
        cairo_.draw_text(box, origin, color, alpha);
    }

    // Puts `rect` of the last presented picture into the window again; nothing before the first one.
    Result<void> show(const PixelRect& rect);
    // Without a compositing manager the window is cut to the picture's non-transparent pixels.
    void set_cut(bool cut);
    // After a paint: cuts the window to the picture when that changed and a cut is asked for.
    void finish();

private:
    Presenter& presenter_;
    cairo::CairoCanvas cairo_;
    bool cut_ = false;
    bool changed_ = false;  // presented since the last cut
};

}  // namespace tolmin::x11
