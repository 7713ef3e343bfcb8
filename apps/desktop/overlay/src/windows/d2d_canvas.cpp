// The drawing interface over Direct2D: each operation is the render target call of the same name with the
// painter's values as 32-bit floats.

#include <limits>

#include "windows/graphics.hpp"
#include "windows/text_layout.hpp"

namespace tolmin::win {
namespace {

constexpr float NO_BOUND = std::numeric_limits<float>::max();  // 3.4028235e38

D2D1_COLOR_F color_of(const Rgb& color, double alpha) {
    return D2D1_COLOR_F{static_cast<float>(color.r), static_cast<float>(color.g), static_cast<float>(color.b),
                        static_cast<float>(alpha)};
}

// A brush of its own for one shape or text; null when it cannot be made.
ComPtr<ID2D1SolidColorBrush> brush(ID2D1RenderTarget* target, const Rgb& color, double alpha) {
    const D2D1_COLOR_F value = color_of(color, alpha);
    ComPtr<ID2D1SolidColorBrush> made;
    if (FAILED(target->CreateSolidColorBrush(&value, nullptr, made.put()))) made.reset();
    return made;
}

D2D1_MATRIX_3X2_F translation(double dx, double dy) {
    D2D1_MATRIX_3X2_F m{};
    m._11 = 1.0f;
    m._12 = 0.0f;
    m._21 = 0.0f;
    m._22 = 1.0f;
    m._31 = static_cast<float>(dx);
    m._32 = static_cast<float>(dy);
    return m;
}

}  // namespace

D2DCanvas::D2DCanvas(Graphics& graphics, HWND window) : graphics_(graphics), window_(window) {}

Result<void> D2DCanvas::begin_surface(std::int32_t width, std::int32_t height) {
    return win::begin_surface(graphics_, width, height);
}

Result<void> D2DCanvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                        std::int32_t height) {
    return win::present_surface(graphics_, window_, x, y, width, height);
}

void D2DCanvas::set_transform(double dx, double dy) {
    const D2D1_MATRIX_3X2_F m = translation(dx, dy);
    graphics_.target->SetTransform(&m);
}

void D2DCanvas::push_layer(double opacity) {
    D2D1_LAYER_PARAMETERS parameters{};
    parameters.contentBounds = D2D1_RECT_F{-NO_BOUND, -NO_BOUND, NO_BOUND, NO_BOUND};
    parameters.geometricMask = nullptr;
    parameters.maskAntialiasMode = D2D1_ANTIALIAS_MODE_PER_PRIMITIVE;
    parameters.maskTransform = D2D1_MATRIX_3X2_F{};  // all zeros
    parameters.opacity = static_cast<float>(opacity);
    parameters.opacityBrush = nullptr;
    parameters.layerOptions = D2D1_LAYER_OPTIONS_NONE;
    graphics_.target->PushLayer(&parameters, nullptr);
}

void D2DCanvas::pop_layer() {
    graphics_.target->PopLayer();
}

void D2DCanvas::fill_rectangle(const RectF& rect, const Rgb& color, double alpha) {
    const ComPtr<ID2D1SolidColorBrush> b = brush(graphics_.target.get(), color, alpha);
    if (!b) return;
    const D2D1_RECT_F r{static_cast<float>(rect.left), static_cast<float>(rect.top),
                        static_cast<float>(rect.right), static_cast<float>(rect.bottom)};
    graphics_.target->FillRectangle(&r, b.get());
}

void D2DCanvas::fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                             double alpha) {
    const ComPtr<ID2D1SolidColorBrush> b = brush(graphics_.target.get(), color, alpha);
    if (!b) return;
    const D2D1_ELLIPSE e{D2D1_POINT_2F{static_cast<float>(center.x), static_cast<float>(center.y)},
                         static_cast<float>(radius_x), static_cast<float>(radius_y)};
    graphics_.target->FillEllipse(&e, b.get());
}

void D2DCanvas::draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) {
    // Only boxes made by the DirectWrite text service can be drawn here.
    const auto* text = dynamic_cast<const DWriteTextHandle*>(box.handle.get());
    if (text == nullptr || !text->layout) return;
    const ComPtr<ID2D1SolidColorBrush> b = brush(graphics_.target.get(), color, alpha);
    if (!b) return;
    const D2D1_POINT_2F at{static_cast<float>(origin.x), static_cast<float>(origin.y)};
    graphics_.target->DrawTextLayout(at, text->layout.get(), b.get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
}

}  // namespace tolmin::win
