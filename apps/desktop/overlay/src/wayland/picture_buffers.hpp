#pragma once
// The pictures handed to the compositor: wl_shm buffers of premultiplied ARGB8888 pixels (the memory layout
// of Cairo's ARGB32), each in a sealed memfd that both sides map. A buffer is busy from the moment it is
// handed to a surface until the compositor releases it, and is never drawn into while busy. Two take turns; a
// third is made only while the compositor holds both.
//
// Each buffer keeps what it was last drawn with, so that a picture that changed in parts is drawn in those
// parts only: before a buffer is drawn into, what changed since it was last shown is copied into it from the
// buffer shown last, which holds the whole picture.

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "base/result.hpp"
#include "paint/pixel_rect.hpp"
#include "wayland/proxy.hpp"

namespace tolmin::wayland {

class PictureBuffer {
public:
    static Result<std::unique_ptr<PictureBuffer>> make(wl_shm* shm, std::int32_t width, std::int32_t height);
    ~PictureBuffer();
    PictureBuffer(const PictureBuffer&) = delete;
    PictureBuffer& operator=(const PictureBuffer&) = delete;

    wl_buffer* get() const { return buffer_.get(); }
    std::uint8_t* data() const { return static_cast<std::uint8_t*>(pixels_); }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t stride() const { return width_ * 4; }
    bool busy() const { return busy_; }
    // Handed to a surface, or taken back unused.
    void set_busy(bool busy) { busy_ = busy; }
    // Called whenever the compositor gives a buffer back.
    void on_release(void (*released)(void*), void* data) { released_ = released, released_data_ = data; }

private:
    friend class PictureBuffers;

    PictureBuffer(void* pixels, std::size_t size, std::int32_t width, std::int32_t height)
        : pixels_(pixels), size_(size), width_(width), height_(height) {}
    static const wl_buffer_listener LISTENER;

    void* pixels_;
    std::size_t size_;
    std::int32_t width_, height_;
    Proxy<wl_buffer> buffer_;
    bool busy_ = false;
    PixelRect picture_;               // where the picture it holds stands in it; empty: it holds none
    std::vector<PixelRect> missing_;  // parts of that picture that changed since it was last drawn
    void (*released_)(void*) = nullptr;
    void* released_data_ = nullptr;
};

class PictureBuffers {
public:
    explicit PictureBuffers(wl_shm* shm) : shm_(shm) {}

    // A buffer of this size that the compositor does not hold: a free one, one made anew in the place of a
    // free one of another size, or, while the compositor holds every buffer, one more (three at most).
    Result<PictureBuffer*> take(std::int32_t width, std::int32_t height);
    // True once after a buffer came back while take() had found none: the picture that could not be drawn
    // then can be now.
    bool take_returned() { return std::exchange(returned_, false); }

    // Whether the buffer shown last holds a picture at `picture` (buffer pixels): then the next one can be
    // drawn in parts.
    bool holds(const PixelRect& picture) const;
    // Readies `buffer` for a picture at `picture` of which `redrawn` will be drawn anew: what it lacks of the
    // picture shown last is copied in from that buffer; a buffer that held another picture (or none) is
    // cleared first, so that nothing but the picture is left in it.
    void catch_up(PictureBuffer& buffer, const PixelRect& picture, const PixelRect& redrawn);
    // `buffer` was handed to the surface with `damage` drawn anew: every other buffer now lacks those parts.
    void shown(PictureBuffer& buffer, const std::vector<PixelRect>& damage);
    // `buffer` was drawn into but not shown: what it holds is known no more.
    static void spoil(PictureBuffer& buffer);

private:
    static void released(void* data);

    wl_shm* shm_;
    std::vector<std::unique_ptr<PictureBuffer>> buffers_;
    PictureBuffer* shown_ = nullptr;  // the one handed to the surface last
    bool refused_ = false;            // take() found every buffer busy
    bool returned_ = false;
};

}  // namespace tolmin::wayland
