#include "x11/x11_canvas.hpp"

#include <utility>

namespace tolmin::x11 {

Result<void> X11Canvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                        std::int32_t height, const PixelRect& area) {
    if (Result<void> drawn = cairo_.present_surface(x, y, width, height, area); !drawn) return drawn;
    changed_ = true;
    return presenter_.put(cairo_.picture().get(), area);
}

void X11Canvas::finish() {
    if (!std::exchange(changed_, false) || !cut_) return;
    if (const cairo::SurfacePtr picture = cairo_.picture()) presenter_.cut_to(picture.get());
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
    // Cut with the next picture, which is painted whole.
}

}  // namespace tolmin::x11
