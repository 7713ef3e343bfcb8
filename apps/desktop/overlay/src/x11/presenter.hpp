#pragma once
// Puts a picture (premultiplied ARGB32, the Cairo canvas's) into the 32-bit overlay window: any rectangle of
// it, through a shared memory segment where the server has MIT-SHM and can map it, else with PutImage
// requests of whole rows that each fit the server's request limit. Without a compositing manager it also cuts
// the window to the picture's non-transparent pixels.

#include <cairo.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

#include "base/result.hpp"
#include "paint/opaque_area.hpp"
#include "x11/connection.hpp"
#include "x11/shared_segment.hpp"

namespace tolmin::x11 {

class Presenter {
public:
    Presenter(const Connection& connection, xcb_window_t window);
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Puts `rect` of `picture` (clipped to it) at the same place in the window. The requests are sent
    // without waiting; a refusal arrives later as an error event for a PutImage request.
    Result<void> put(cairo_surface_t* picture, const PixelRect& rect);
    // The window's bounding shape becomes the picture's non-transparent pixels.
    void cut_to(cairo_surface_t* picture);
    // The whole window rectangle again.
    void uncut();
    // Whether an error event is the refusal of a picture put.
    bool is_put_error(const xcb_generic_error_t& error) const;

private:
    // The rows of `part` from `top` on, packed, in the server's byte order.
    void copy_rows(cairo_surface_t* picture, const PixelRect& part, std::int32_t top, std::int32_t count,
                   std::uint8_t* to) const;
    // False when no segment can be had: then PutImage from now on.
    bool put_shared(cairo_surface_t* picture, const PixelRect& part);

    const Connection& connection_;
    xcb_window_t window_;
    xcb_gcontext_t gc_;
    bool swap_bytes_;                 // the server takes image words in the other byte order
    std::vector<std::uint8_t> rows_;  // the rectangle's rows, packed for one request
    bool shared_ = false;             // MIT-SHM is there, and no segment was refused yet
    std::uint8_t shm_opcode_ = 0;
    std::unique_ptr<SharedSegment> segment_;
    bool put_pending_ = false;  // the server may not have read the segment yet
};

}  // namespace tolmin::x11
