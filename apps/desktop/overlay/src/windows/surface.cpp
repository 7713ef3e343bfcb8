#include "windows/surface.hpp"

#include <optional>
#include <utility>

#include "paint/surface_size.hpp"
#include "windows/graphics.hpp"
#include "windows/platform_error.hpp"

namespace tolmin::win {

Surface::Surface(HDC dc_, HBITMAP bitmap_, HGDIOBJ previous_, std::int32_t width_, std::int32_t height_)
    : dc(dc_), bitmap(bitmap_), previous(previous_), width(width_), height(height_) {}

Surface::Surface(Surface&& other) noexcept
    : dc(std::exchange(other.dc, nullptr)),
      bitmap(std::exchange(other.bitmap, nullptr)),
      previous(std::exchange(other.previous, nullptr)),
      width(other.width),
      height(other.height) {}

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        release();
        dc = std::exchange(other.dc, nullptr);
        bitmap = std::exchange(other.bitmap, nullptr);
        previous = std::exchange(other.previous, nullptr);
        width = other.width;
        height = other.height;
    }
    return *this;
}

Surface::~Surface() {
    release();
}

void Surface::release() {
    if (dc != nullptr && previous != nullptr) SelectObject(dc, previous);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
}

namespace {

// What EndDraw returns when the device behind the render target is gone (d2derr.h spells it unsigned).
constexpr HRESULT DEVICE_LOST = static_cast<HRESULT>(D2DERR_RECREATE_TARGET);

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

Result<void> begin_surface(Graphics& graphics, std::int32_t width, std::int32_t height) {
    if (graphics.target_lost) {
        if (Result<void> remade = remake_render_target(graphics); !remade) return remade;
    }
    std::optional<SurfaceSize> current;
    if (graphics.surface) current = SurfaceSize{graphics.surface->width, graphics.surface->height};
    if (const std::optional<SurfaceSize> next = grown_surface_size(current, width, height)) {
        Result<Surface> made = make_surface(*next);
        if (!made) return made.error();              // the old surface stays for the next paint
        graphics.surface = std::move(made).value();  // releases the old one
    }

    const RECT bound{0, 0, width, height};  // the picture's size, not the bitmap's
    const HRESULT hr = graphics.target->BindDC(graphics.surface->dc, &bound);
    if (FAILED(hr)) return hresult_error(hr);
    graphics.target->BeginDraw();
    graphics.target->Clear(D2D1::ColorF(0.0f, 0.0f, 0.0f, 0.0f));
    return {};
}

Result<void> present_surface(Graphics& graphics, HWND window, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height) {
    const HRESULT hr = graphics.end_draw(graphics.target.Get());
    // A lost device is the one failure that a new render target mends; the next drawing makes one.
    if (hr == DEVICE_LOST) graphics.target_lost = true;
    if (FAILED(hr)) return hresult_error(hr);
    if (!graphics.surface) return hresult_error(E_UNEXPECTED);

    POINT destination{x, y};
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetLastError(ERROR_SUCCESS);
    if (!UpdateLayeredWindow(window, nullptr, &destination, &size, graphics.surface->dc, &source, 0, &blend,
                             ULW_ALPHA)) {
        return last_error();
    }
    return {};
}

}  // namespace tolmin::win
