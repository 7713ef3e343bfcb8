#pragma once
// The drawing interface over the bound DC render target and the window's layered surface, for one drawing
// (its brush belongs to the render target of that drawing).

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <d2d1.h>
#include <wrl/client.h>

#include <cstdint>

#include "paint/canvas.hpp"
#include "windows/graphics.hpp"

namespace tolmin::win {

class D2DCanvas final : public Canvas {
public:
    D2DCanvas(Graphics& graphics, HWND window);
    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override;
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override;
    // PushAxisAlignedClip, aliased, in the picture's pixels.
    void push_clip(const PixelRect& rect) override;
    void pop_clip() override;
    void set_transform(double dx, double dy) override;
    void push_layer(double opacity) override;
    void pop_layer() override;
    void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) override;
    void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                      double alpha) override;
    void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) override;

private:
    // The drawing's one solid brush in `color` at `alpha`: made at its first use, re-coloured after. Null
    // when it cannot be made (then nothing is drawn with it).
    ID2D1SolidColorBrush* brush(const Rgb& color, double alpha);

    // The render target's transform: the painter's translation less the bound area's corner, which is the
    // render target's origin.
    void apply_transform(double dx, double dy);

    Graphics& graphics_;
    HWND window_;
    PixelRect bound_;         // the area of the picture this drawing is bound to
    double dx_ = 0, dy_ = 0;  // the painter's translation
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
};

}  // namespace tolmin::win
