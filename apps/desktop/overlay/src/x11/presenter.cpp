#include "x11/presenter.hpp"

#include <xcb/shape.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace tolmin::x11 {
namespace {

constexpr std::size_t PUT_IMAGE_HEADER_BYTES = 24;

PixelRect clipped(const PixelRect& rect, std::int32_t width, std::int32_t height) {
    const std::int32_t left = std::clamp(rect.x, 0, width), top = std::clamp(rect.y, 0, height);
    const std::int32_t right = std::clamp(rect.x + std::max(rect.width, 0), left, width);
    const std::int32_t bottom = std::clamp(rect.y + std::max(rect.height, 0), top, height);
    return {left, top, right - left, bottom - top};
}

}  // namespace

Presenter::Presenter(const Connection& connection, xcb_window_t window)
    : connection_(connection), window_(window), gc_(xcb_generate_id(connection.get())) {
    (void)xcb_create_gc(connection.get(), gc_, window, 0, nullptr);
    const bool server_lsb = xcb_get_setup(connection.get())->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    swap_bytes_ = server_lsb != (std::endian::native == std::endian::little);
}

Presenter::~Presenter() {
    if (!connection_.lost()) (void)xcb_free_gc(connection_.get(), gc_);
}

Result<void> Presenter::put(cairo_surface_t* picture, const PixelRect& rect) {
    const PixelRect part =
        clipped(rect, cairo_image_surface_get_width(picture), cairo_image_surface_get_height(picture));
    if (part.width == 0 || part.height == 0) return {};
    const std::size_t row_bytes = static_cast<std::size_t>(part.width) * 4;
    const std::size_t limit = static_cast<std::size_t>(xcb_get_maximum_request_length(connection_.get())) * 4;
    const std::size_t rows_per_request =
        limit > PUT_IMAGE_HEADER_BYTES ? (limit - PUT_IMAGE_HEADER_BYTES) / row_bytes : 0;
    if (rows_per_request == 0)
        return Error{"a picture " + std::to_string(part.width) + " pixels wide is too wide for the X server"};

    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(picture));
    const std::uint8_t* data = cairo_image_surface_get_data(picture);
    for (std::int32_t top = part.y; top < part.y + part.height;) {
        const auto count = static_cast<std::int32_t>(
            std::min<std::size_t>(rows_per_request, static_cast<std::size_t>(part.y + part.height - top)));
        rows_.resize(row_bytes * static_cast<std::size_t>(count));
        for (std::int32_t r = 0; r < count; ++r) {
            const std::uint8_t* from =
                data + static_cast<std::size_t>(top + r) * stride + static_cast<std::size_t>(part.x) * 4;
            std::uint8_t* to = rows_.data() + static_cast<std::size_t>(r) * row_bytes;
            std::memcpy(to, from, row_bytes);
            if (swap_bytes_) {
                for (std::size_t i = 0; i < row_bytes; i += 4) std::reverse(to + i, to + i + 4);
            }
        }
        (void)xcb_put_image(connection_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                            static_cast<std::uint16_t>(part.width), static_cast<std::uint16_t>(count),
                            static_cast<std::int16_t>(part.x), static_cast<std::int16_t>(top), 0, 32,
                            static_cast<std::uint32_t>(rows_.size()), rows_.data());
        top += count;
    }
    return {};
}

void Presenter::cut_to(cairo_surface_t* picture) {
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(picture)) / 4;
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(picture));
    const std::vector<PixelRect> bands = opaque_bands(pixels, stride, cairo_image_surface_get_width(picture),
                                                      cairo_image_surface_get_height(picture));
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(bands.size());
    for (const PixelRect& b : bands)
        rects.push_back({static_cast<std::int16_t>(b.x), static_cast<std::int16_t>(b.y),
                         static_cast<std::uint16_t>(b.width), static_cast<std::uint16_t>(b.height)});
    (void)xcb_shape_rectangles(connection_.get(), XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
                               XCB_CLIP_ORDERING_YX_BANDED, window_, 0, 0,
                               static_cast<std::uint32_t>(rects.size()), rects.data());
}

void Presenter::uncut() {
    (void)xcb_shape_mask(connection_.get(), XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, window_, 0, 0,
                         XCB_PIXMAP_NONE);
}

}  // namespace tolmin::x11
