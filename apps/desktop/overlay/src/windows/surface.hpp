#pragma once
// The bitmap the picture is drawn into: a 32-bit top-down DIB section selected into a memory DC, to which the
// DC render target is bound for each paint, and its hand-over to the layered window.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/result.hpp"
#include "paint/pixel_rect.hpp"

namespace tolmin::win {

// Owns the memory DC and the bitmap selected into it; dropping it puts back what the DC held before and
// deletes both.
class Surface {
public:
    Surface(HDC dc, HBITMAP bitmap, HGDIOBJ previous, std::int32_t width, std::int32_t height);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

private:
    void release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;  // what `dc_` held before `bitmap_`
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

// Makes `surface` at least width x height: a new, larger bitmap when it is smaller in either direction or
// absent. A failure keeps the old one, so the next paint tries again.
Result<void> grow_surface(std::optional<Surface>& surface, std::int32_t width, std::int32_t height);

// Hands the top-left width x height of the surface to the layered window, which also moves to (x, y) and
// takes that size. Only `dirty` of it is new: UpdateLayeredWindowIndirect with that rectangle, unless it is
// the whole picture (then UpdateLayeredWindow).
Result<void> show_surface(const Surface& surface, HWND window, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, const PixelRect& dirty);

}  // namespace tolmin::win
