#include "windows/surface.hpp"

#include <utility>

#include "paint/surface_size.hpp"
#include "windows/platform_error.hpp"

namespace tolmin::win {

Surface::Surface(HDC dc, HBITMAP bitmap, HGDIOBJ previous, std::int32_t width, std::int32_t height)
    : dc_(dc), bitmap_(bitmap), previous_(previous), width_(width), height_(height) {}

Surface::Surface(Surface&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)),
      bitmap_(std::exchange(other.bitmap_, nullptr)),
      previous_(std::exchange(other.previous_, nullptr)),
      width_(other.width_),
      height_(other.height_) {}

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        release();
        dc_ = std::exchange(other.dc_, nullptr);
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        previous_ = std::exchange(other.previous_, nullptr);
        width_ = other.width_;
        height_ = other.height_;
    }
    return *this;
}

Surface::~Surface() {
    release();
}

void Surface::release() {
    if (dc_ != nullptr && previous_ != nullptr) SelectObject(dc_, previous_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
}

namespace {

// A memory DC compatible with the screen holding a new top-down 32-bit DIB section of width x height.
Result<Surface> make_surface(const SurfaceSize& size) {
    BITMAPINFO info{};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = size.width;
    header.biHeight = -size.height;  // negative: rows run top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = 0;
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = 0;
    header.biClrImportant = 0;

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr) return last_error();

    void* pixels = nullptr;  // the render target writes the pixels; this program never touches them
    // A bitmap too large to make can fail without setting the thread's error; a stale code from an earlier
    // call must not be reported in its place.
    SetLastError(ERROR_SUCCESS);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr || bitmap == INVALID_HANDLE_VALUE) {
        // read before DeleteDC can overwrite it
        Error error = GetLastError() == ERROR_SUCCESS ? hresult_error(E_OUTOFMEMORY) : last_error();
        DeleteDC(dc);
        return error;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    if (previous == nullptr || previous == HGDI_ERROR) {
        DeleteObject(bitmap);
        DeleteDC(dc);
        return hresult_error(E_FAIL);
    }
    return Surface(dc, bitmap, previous, size.width, size.height);
}

}  // namespace

Result<void> grow_surface(std::optional<Surface>& surface, std::int32_t width, std::int32_t height) {
    std::optional<SurfaceSize> current;
    if (surface) current = SurfaceSize{surface->width(), surface->height()};
    const std::optional<SurfaceSize> next = grown_surface_size(current, width, height);
    if (!next) return {};
    Result<Surface> made = make_surface(*next);
    if (!made) return made.error();     // the old surface stays for the next paint
    surface = std::move(made).value();  // releases the old one
    return {};
}

Result<void> show_surface(const Surface& surface, HWND window, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, const PixelRect& dirty) {
    POINT destination{x, y};
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetLastError(ERROR_SUCCESS);
    if (dirty == PixelRect{0, 0, width, height}) {
        if (!UpdateLayeredWindow(window, nullptr, &destination, &size, surface.dc(), &source, 0, &blend,
                                 ULW_ALPHA)) {
            return last_error();
        }
        return {};
    }
    const RECT changed{dirty.x, dirty.y, dirty.x + dirty.width, dirty.y + dirty.height};
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof(info);
    info.hdcDst = nullptr;
    info.pptDst = &destination;
    info.psize = &size;
    info.hdcSrc = surface.dc();
    info.pptSrc = &source;
    info.crKey = 0;
    info.pblend = &blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = &changed;
    if (!UpdateLayeredWindowIndirect(window, &info)) return last_error();
    return {};
}

}  // namespace tolmin::win
