#include "x11/x11_canvas.hpp"

namespace tolmin::x11 {

Result<void> X11Canvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                        std::int32_t height) {
    if (Result<void> drawn = cairo_.present_surface(x, y, width, height); !drawn) return drawn;
    cairo_surface_t* picture = cairo_.picture();
    if (cut_) presenter_.cut_to(picture);
    Result<void> put = presenter_.put(picture, {0, 0, width, height});
    cairo_surface_destroy(picture);
    return put;
}

Result<void> X11Canvas::show(const PixelRect& rect) {
    cairo_surface_t* picture = cairo_.picture();
    if (picture == nullptr) return {};
    Result<void> put = presenter_.put(picture, rect);
    cairo_surface_destroy(picture);
    return put;
}

void X11Canvas::set_cut(bool cut) {
    if (cut == cut_) return;
    cut_ = cut;
    if (!cut) presenter_.uncut();
    // Cut again with the next picture.
}

}  // namespace tolmin::x11
