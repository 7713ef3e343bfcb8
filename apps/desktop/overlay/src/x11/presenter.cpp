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
    if (connection.has(&xcb_shm_id)) {
        shared_ = true;  // until a segment cannot be made
        shm_opcode_ = xcb_get_extension_data(connection.get(), &xcb_shm_id)->major_opcode;
    }
}

Presenter::~Presenter() {
    if (!connection_.lost()) (void)xcb_free_gc(connection_.get(), gc_);
}

void Presenter::copy_rows(cairo_surface_t* picture, const PixelRect& part, std::int32_t top,
                          std::int32_t count, std::uint8_t* to) const {
    const std::size_t row_bytes = static_cast<std::size_t>(part.width) * 4;
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(picture));
    const std::uint8_t* from = cairo_image_surface_get_data(picture) +
                               static_cast<std::size_t>(top) * stride + static_cast<std::size_t>(part.x) * 4;
    for (std::int32_t r = 0; r < count; ++r, from += stride, to += row_bytes) {
        std::memcpy(to, from, row_bytes);
        if (swap_bytes_) {
            for (std::size_t i = 0; i < row_bytes; i += 4) std::reverse(to + i, to + i + 4);
        }
    }
}

bool Presenter::put_shared(cairo_surface_t* picture, const PixelRect& part) {
    const std::size_t bytes =
        static_cast<std::size_t>(part.width) * 4 * static_cast<std::size_t>(part.height);
    if (!segment_ || segment_->size() < bytes) {
        segment_.reset();  // a put still queued is done before the server lets the old segment go
        segment_ = SharedSegment::make(connection_, bytes);
        shared_ = segment_ != nullptr;
        if (!shared_) return false;
    } else if (put_pending_) {
        // The server reads the segment when it gets to the request: a round trip says it has.
        xcb_connection_t* c = connection_.get();
        Reply<xcb_get_input_focus_reply_t> synced(
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
    copy_rows(picture, part, part.y, part.height, segment_->data());
    const auto width = static_cast<std::uint16_t>(part.width),
               height = static_cast<std::uint16_t>(part.height);
    (void)xcb_shm_put_image(connection_.get(), window_, gc_, width, height, 0, 0, width, height,
                            static_cast<std::int16_t>(part.x), static_cast<std::int16_t>(part.y), 32,
                            XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_->id(), 0);
    put_pending_ = true;
    return true;
}

Result<void> Presenter::put(cairo_surface_t* picture, const PixelRect& rect) {
    const PixelRect part =
        clipped(rect, cairo_image_surface_get_width(picture), cairo_image_surface_get_height(picture));
    if (part.width == 0 || part.height == 0) return {};
    if (shared_ && put_shared(picture, part)) return {};

    const std::size_t row_bytes = static_cast<std::size_t>(part.width) * 4;
    const std::size_t limit = static_cast<std::size_t>(xcb_get_maximum_request_length(connection_.get())) * 4;
    const std::size_t rows_per_request =
        limit > PUT_IMAGE_HEADER_BYTES ? (limit - PUT_IMAGE_HEADER_BYTES) / row_bytes : 0;
    if (rows_per_request == 0)
        return Error{"a picture " + std::to_string(part.width) + " pixels wide is too wide for the X server"};
    for (std::int32_t top = part.y; top < part.y + part.height;) {
        const auto count = static_cast<std::int32_t>(
            std::min<std::size_t>(rows_per_request, static_cast<std::size_t>(part.y + part.height - top)));
        rows_.resize(row_bytes * static_cast<std::size_t>(count));
        copy_rows(picture, part, top, count, rows_.data());
        (void)xcb_put_image(connection_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                            static_cast<std::uint16_t>(part.width), static_cast<std::uint16_t>(count),
                            static_cast<std::int16_t>(part.x), static_cast<std::int16_t>(top), 0, 32,
                            static_cast<std::uint32_t>(rows_.size()), rows_.data());
        top += count;
    }
    return {};
}

bool Presenter::is_put_error(const xcb_generic_error_t& error) const {
    return error.major_code == XCB_PUT_IMAGE ||
           (shm_opcode_ != 0 && error.major_code == shm_opcode_ && error.minor_code == XCB_SHM_PUT_IMAGE);
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
