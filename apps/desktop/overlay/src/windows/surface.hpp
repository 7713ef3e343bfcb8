#pragma once
// The bitmap the picture is drawn into: a 32-bit top-down DIB section selected into a memory DC, to which the
// DC render target is bound for each paint, and its hand-over to the layered window.

#include <windows.h>

#include <cstdint>

#include "base/result.hpp"

namespace tolmin::win {

struct Graphics;

// Owns the memory DC and the bitmap selected into it; dropping it puts `previous` back and deletes both.
class Surface {
public:
    Surface(HDC dc, HBITMAP bitmap, HGDIOBJ previous, std::int32_t width, std::int32_t height);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;  // what `dc` held before `bitmap`
    std::int32_t width = 0;
    std::int32_t height = 0;

private:
    void release();
};

// Makes the bitmap at least width x height (it only grows; a failure to grow keeps the old one), makes a new
// render target when the last one was lost, binds the render target to the bitmap's top-left width x height,
// begins drawing and clears to transparent.
Result<void> begin_surface(Graphics& graphics, std::int32_t width, std::int32_t height);

// Ends drawing and hands the picture to the layered window, which also moves to (x, y) and takes the size
// width x height. On failure the window keeps its previous picture; a lost device marks the render target
// lost.
Result<void> present_surface(Graphics& graphics, HWND window, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height);

}  // namespace tolmin::win
