#pragma once
// The painter's drawing interface for the X11 overlay: the Cairo canvas draws the picture, and presenting a
// damaged area puts that area into the window. The last picture stays, so an exposed part is put again
// without painting.

#include "cairo/cairo_backed_canvas.hpp"
#include "x11/presenter.hpp"

namespace tolmin::x11 {

class X11Canvas final : public cairo::CairoBackedCanvas {
public:
    explicit X11Canvas(Presenter& presenter) : presenter_(presenter) {}

    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override {
        return cairo_.begin_surface(width, height, area);
    }
    // Ends the drawing and puts the area drawn into the window (which the placement already moved to x, y).
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override;

    // Puts `rect` of the last presented picture into the window again; nothing before the first one.
    Result<void> show(const PixelRect& rect);
    // Without a compositing manager the window is cut to the picture's non-transparent pixels.
    void set_cut(bool cut);
    // After a paint: cuts the window to the picture when that changed and a cut is asked for.
    void finish();

private:
    Presenter& presenter_;
    bool cut_ = false;
    bool changed_ = false;  // presented since the last cut
};

}  // namespace tolmin::x11
