#include "wayland/wayland_canvas.hpp"

#include <algorithm>
#include <utility>

namespace tolmin::wayland {

PixelRect WaylandCanvas::picture(std::int32_t width, std::int32_t height) const {
    return {shape_.offset_x, shape_.offset_y, std::max(width, 0), std::max(height, 0)};
}

PixelRect WaylandCanvas::in_buffer(const PixelRect& area) const {
    return intersection(
        PixelRect{area.x + shape_.offset_x, area.y + shape_.offset_y, area.width, area.height}, drawn_);
}

Result<void> WaylandCanvas::begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) {
    if (surface_ == nullptr) return Error{"there is no surface to draw on"};
    if (drawing_ == nullptr) {
        Result<PictureBuffer*> buffer = buffers_.take(shape_.buffer_width, shape_.buffer_height);
        if (!buffer) return buffer.error();
        PictureBuffer& taken = *buffer.value();
        drawn_ = picture(width, height);
        buffers_.catch_up(taken, drawn_, in_buffer(area));
        target_.reset(cairo_image_surface_create_for_data(taken.data(), CAIRO_FORMAT_ARGB32, taken.width(),
                                                          taken.height(), taken.stride()));
        cairo_surface_set_device_offset(target_.get(), shape_.offset_x, shape_.offset_y);
        drawing_ = &taken;
        damage_.clear();
    }
    return cairo_.begin_surface_on(target_.get(), width, height, area);
}

Result<void> WaylandCanvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                            std::int32_t height, const PixelRect& area) {
    if (Result<void> drawn = cairo_.present_surface(x, y, width, height, area); !drawn) return drawn;
    if (drawing_ == nullptr) return Error{"nothing was begun"};
    if (const PixelRect part = in_buffer(area); !part.empty()) damage_.push_back(part);
    return {};
}

void WaylandCanvas::finish(bool painted) {
    PictureBuffer* buffer = std::exchange(drawing_, nullptr);
    target_.reset();
    if (buffer == nullptr) return;  // nothing changed: nothing is shown
    if (!painted || surface_ == nullptr) {
        PictureBuffers::spoil(*buffer);
        return;
    }
    surface_->show(*buffer, damage_);
    buffers_.shown(*buffer, damage_);
}

}  // namespace tolmin::wayland
