#pragma once
// A window backend's canvas that draws with the Cairo canvas: the drawing operations go straight to it, and
// the backend decides how a surface begins and how a drawn area reaches the screen.

#include "cairo/cairo_canvas.hpp"

namespace tolmin::cairo {

class CairoBackedCanvas : public Canvas {
public:
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

protected:
    CairoCanvas cairo_;
};

}  // namespace tolmin::cairo
