// Each drawing operation is the render target call of the same name with the painter's values as 32-bit
// floats.

#include "windows/d2d_canvas.hpp"

#include "windows/text_layout.hpp"

namespace tolmin::win {
namespace {

D2D1_COLOR_F color_of(const Rgb& color, double alpha) {
    return D2D1::ColorF(static_cast<float>(color.r), static_cast<float>(color.g), static_cast<float>(color.b),
                        static_cast<float>(alpha));
}

}  // namespace

D2DCanvas::D2DCanvas(Graphics& graphics, HWND window) : graphics_(graphics), window_(window) {}

Result<void> D2DCanvas::begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) {
    bound_ = intersection(area, PixelRect{0, 0, width, height});
    dx_ = dy_ = 0;
    Result<void> begun = graphics_.begin_drawing(width, height, area);
    if (begun) apply_transform(0, 0);
    return begun;
}

Result<void> D2DCanvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                        std::int32_t height, const PixelRect& area) {
    return graphics_.end_drawing(window_, x, y, width, height, area);
}

void D2DCanvas::apply_transform(double dx, double dy) {
    graphics_.target().SetTransform(
        D2D1::Matrix3x2F::Translation(static_cast<float>(dx - bound_.x), static_cast<float>(dy - bound_.y)));
}

void D2DCanvas::push_clip(const PixelRect& rect) {
    // A clip takes the transform of the moment it is pushed: the picture's own, then the painter's again.
    apply_transform(0, 0);
    graphics_.target().PushAxisAlignedClip(
        D2D1::RectF(static_cast<float>(rect.x), static_cast<float>(rect.y),
                    static_cast<float>(static_cast<double>(rect.x) + rect.width),
                    static_cast<float>(static_cast<double>(rect.y) + rect.height)),
        D2D1_ANTIALIAS_MODE_ALIASED);
    apply_transform(dx_, dy_);
}

void D2DCanvas::pop_clip() {
    graphics_.target().PopAxisAlignedClip();
}

ID2D1SolidColorBrush* D2DCanvas::brush(const Rgb& color, double alpha) {
    const D2D1_COLOR_F value = color_of(color, alpha);
    if (brush_) {
        brush_->SetColor(&value);
    } else if (FAILED(graphics_.target().CreateSolidColorBrush(&value, nullptr, &brush_))) {
        brush_.Reset();
    }
    return brush_.Get();
}

void D2DCanvas::set_transform(double dx, double dy) {
    dx_ = dx;
    dy_ = dy;
    apply_transform(dx, dy);
}

void D2DCanvas::push_layer(double opacity) {
    // No bounds, no mask (its transform all zeros), the block composited once at `opacity`.
    const D2D1_LAYER_PARAMETERS parameters =
        D2D1::LayerParameters(D2D1::InfiniteRect(), nullptr, D2D1_ANTIALIAS_MODE_PER_PRIMITIVE,
                              D2D1::Matrix3x2F(0, 0, 0, 0, 0, 0), static_cast<float>(opacity));
    graphics_.target().PushLayer(&parameters, nullptr);
}

void D2DCanvas::pop_layer() {
    graphics_.target().PopLayer();
}

void D2DCanvas::fill_rectangle(const RectF& rect, const Rgb& color, double alpha) {
    ID2D1SolidColorBrush* b = brush(color, alpha);
    if (b == nullptr) return;
    graphics_.target().FillRectangle(
        D2D1::RectF(static_cast<float>(rect.left), static_cast<float>(rect.top),
                    static_cast<float>(rect.right), static_cast<float>(rect.bottom)),
        b);
}

void D2DCanvas::fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                             double alpha) {
    ID2D1SolidColorBrush* b = brush(color, alpha);
    if (b == nullptr) return;
    graphics_.target().FillEllipse(
        D2D1::Ellipse(D2D1::Point2F(static_cast<float>(center.x), static_cast<float>(center.y)),
                      static_cast<float>(radius_x), static_cast<float>(radius_y)),
        b);
}

void D2DCanvas::draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) {
    // Only boxes made by the DirectWrite text service can be drawn here.
    const auto* text = dynamic_cast<const DWriteTextHandle*>(box.handle.get());
    if (text == nullptr || !text->layout) return;
    ID2D1SolidColorBrush* b = brush(color, alpha);
    if (b == nullptr) return;
    graphics_.target().DrawTextLayout(
        D2D1::Point2F(static_cast<float>(origin.x), static_cast<float>(origin.y)), text->layout.Get(), b,
        D2D1_DRAW_TEXT_OPTIONS_NONE);
}

}  // namespace tolmin::win
