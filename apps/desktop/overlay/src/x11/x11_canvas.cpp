#include "x11/x11_canvas.hpp"

namespace tolmin::x11 {

Result<void> X11Canvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                        std::int32_t height, const PixelRect& area) {
    if (Result<void> drawn = cairo_.present_surface(x, y, width, height, area); !drawn) return drawn;
    const cairo::SurfacePtr picture = cairo_.picture();
    if (cut_) presenter_.cut_to(picture.get());
    return presenter_.put(picture.get(), area);
}

Result<void> X11Canvas::show(const PixelRect& rect) {
    const cairo::SurfacePtr picture = cairo_.picture();
    if (!picture) return {};
    return presenter_.put(picture.get(), rect);
}

void X11Canvas::set_cut(bool cut) {
    if (cut == cut_) return;
    cut_ = cut;
    if (!cut) presenter_.uncut();
    // Cut again with the next picture.
}

}  // namespace tolmin::x11
