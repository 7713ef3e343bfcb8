#include "wayland/wayland_canvas.hpp"

#include <cstring>

namespace tolmin::wayland {

Result<void> WaylandCanvas::begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) {
    drawing_ = nullptr;
    target_.reset();
    if (surface_ == nullptr) return Error{"there is no surface to draw on"};
    Result<PictureBuffer*> buffer = buffers_.take(shape_.buffer_width, shape_.buffer_height);
    if (!buffer) return buffer.error();
    PictureBuffer& taken = *buffer.value();
    // Only the picture's part is cleared by the drawing; around it, on the side the grid added, too.
    if (width != taken.width() || height != taken.height())
        std::memset(taken.data(), 0,
                    static_cast<std::size_t>(taken.stride()) * static_cast<std::size_t>(taken.height()));
    target_.reset(cairo_image_surface_create_for_data(taken.data(), CAIRO_FORMAT_ARGB32, taken.width(),
                                                      taken.height(), taken.stride()));
    cairo_surface_set_device_offset(target_.get(), shape_.offset_x, shape_.offset_y);
    if (Result<void> begun = cairo_.begin_surface_on(target_.get(), width, height, area); !begun)
        return begun;
    drawing_ = &taken;
    return {};
}

Result<void> WaylandCanvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                            std::int32_t height, const PixelRect& area) {
    Result<void> drawn = cairo_.present_surface(x, y, width, height, area);
    PictureBuffer* buffer = std::exchange(drawing_, nullptr);
    target_.reset();
    if (!drawn) return drawn;
    if (buffer == nullptr || surface_ == nullptr) return Error{"nothing was begun"};
    surface_->show(*buffer, {PixelRect{0, 0, buffer->width(), buffer->height()}});
    return {};
}

}  // namespace tolmin::wayland
