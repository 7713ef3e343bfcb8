#include "wayland/picture_buffers.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "base/platform_error_text.hpp"
#include "linux/unique_fd.hpp"

namespace tolmin::wayland {
namespace {

constexpr std::size_t MAX_BUFFERS = 3;
// Parts a buffer lacks are kept apart up to this many, then as the one rectangle around them.
constexpr std::size_t MAX_MISSING_PARTS = 8;

bool contains(const PixelRect& outer, const PixelRect& inner) {
    return intersection(outer, inner) == inner;
}

// Copies `rect` (within both) from one buffer into another of the same size.
void copy_rect(const PictureBuffer& from, PictureBuffer& to, const PixelRect& rect) {
    const auto stride = static_cast<std::size_t>(from.stride());
    const auto offset = static_cast<std::size_t>(rect.y) * stride + static_cast<std::size_t>(rect.x) * 4;
    const auto bytes = static_cast<std::size_t>(rect.width) * 4;
    for (std::int32_t row = 0; row < rect.height; ++row) {
        const std::size_t at = offset + static_cast<std::size_t>(row) * stride;
        std::memcpy(to.data() + at, from.data() + at, bytes);
    }
}

Error buffer_error(std::int32_t width, std::int32_t height, int code) {
    return Error{"cannot make a " + std::to_string(width) + " x " + std::to_string(height) +
                 " picture buffer: " + os_error_text(std::strerror(code), static_cast<std::uint32_t>(code))};
}

}  // namespace

const wl_buffer_listener PictureBuffer::LISTENER = {
    .release =
        [](void* data, wl_buffer*) {
            auto& buffer = *static_cast<PictureBuffer*>(data);
            buffer.busy_ = false;
            if (buffer.released_ != nullptr) buffer.released_(buffer.released_data_);
        },
};

Result<std::unique_ptr<PictureBuffer>> PictureBuffer::make(wl_shm* shm, std::int32_t width,
                                                           std::int32_t height) {
    // A pool's size is a 32-bit signed number of bytes.
    if (width <= 0 || height <= 0 || width > std::numeric_limits<std::int32_t>::max() / 4 / height)
        return buffer_error(width, height, EOVERFLOW);
    const auto size = static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(height);
    const desktop::UniqueFd fd(memfd_create("tolmin-overlay", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (!fd.valid() || ftruncate(fd.get(), static_cast<off_t>(size)) != 0)
        return buffer_error(width, height, errno);
    // The compositor can trust that the memory it maps never shrinks under it.
    (void)fcntl(fd.get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_SEAL);
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd.get(), 0);
    if (pixels == MAP_FAILED) return buffer_error(width, height, errno);
    std::unique_ptr<PictureBuffer> made(new PictureBuffer(pixels, size, width, height));
    Proxy<wl_shm_pool> pool(wl_shm_create_pool(shm, fd.get(), static_cast<std::int32_t>(size)));
    made->buffer_.reset(
        wl_shm_pool_create_buffer(pool.get(), 0, width, height, made->stride(), WL_SHM_FORMAT_ARGB8888));
    (void)wl_buffer_add_listener(made->buffer_.get(), &LISTENER, made.get());
    return made;  // the pool goes; its memory stays with the buffer
}

PictureBuffer::~PictureBuffer() {
    buffer_.reset();
    (void)munmap(pixels_, size_);
}

Result<PictureBuffer*> PictureBuffers::take(std::int32_t width, std::int32_t height) {
    PictureBuffer* free = nullptr;
    for (const auto& buffer : buffers_) {
        if (buffer->busy()) continue;
        if (buffer->width() == width && buffer->height() == height) return buffer.get();
        free = buffer.get();
    }
    if (free == nullptr && buffers_.size() == MAX_BUFFERS) {
        refused_ = true;
        return Error{"the compositor holds every picture buffer"};
    }
    Result<std::unique_ptr<PictureBuffer>> made = PictureBuffer::make(shm_, width, height);
    if (!made) return made.error();
    made.value()->on_release(&PictureBuffers::released, this);
    for (auto& buffer : buffers_) {
        if (buffer.get() == free) {
            if (shown_ == free) shown_ = nullptr;
            buffer = std::move(made).value();
            return buffer.get();
        }
    }
    buffers_.push_back(std::move(made).value());
    return buffers_.back().get();
}

bool PictureBuffers::holds(const PixelRect& picture) const {
    return shown_ != nullptr && !picture.empty() && shown_->picture_ == picture;
}

void PictureBuffers::catch_up(PictureBuffer& buffer, const PixelRect& picture, const PixelRect& redrawn) {
    if (buffer.picture_ != picture) {
        // Around the picture (where the grid of a scale of 2 or more adds pixels) it stays transparent.
        std::memset(buffer.data(), 0,
                    static_cast<std::size_t>(buffer.stride()) * static_cast<std::size_t>(buffer.height()));
        buffer.missing_.assign(1, picture);
        buffer.picture_ = picture;
    }
    // The buffer shown last lacks nothing, unless it held another picture.
    if (&buffer != shown_ && holds(picture)) {
        for (const PixelRect& part : buffer.missing_) {
            if (!contains(redrawn, part)) copy_rect(*shown_, buffer, intersection(part, picture));
        }
    }
    buffer.missing_.clear();
}

void PictureBuffers::shown(PictureBuffer& buffer, const std::vector<PixelRect>& damage) {
    for (const auto& other : buffers_) {
        if (other.get() == &buffer || other->picture_.empty()) continue;
        std::vector<PixelRect>& missing = other->missing_;
        missing.insert(missing.end(), damage.begin(), damage.end());
        if (missing.size() > MAX_MISSING_PARTS) {
            PixelRect around;
            for (const PixelRect& part : missing) around = bounding(around, part);
            missing.assign(1, around);
        }
    }
    buffer.missing_.clear();
    shown_ = &buffer;
}

void PictureBuffers::spoil(PictureBuffer& buffer) {
    buffer.picture_ = PixelRect{};
    buffer.missing_.clear();
}

void PictureBuffers::released(void* data) {
    auto& buffers = *static_cast<PictureBuffers*>(data);
    if (std::exchange(buffers.refused_, false)) buffers.returned_ = true;
}

}  // namespace tolmin::wayland
