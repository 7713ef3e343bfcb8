#pragma once
// The long-lived drawing resources: the optional private font collection and the text formats made from it,
// the DC render target, and the bitmap surface the render target draws into.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <d2d1.h>
#include <dwrite_3.h>
#include <wrl/client.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "base/output.hpp"
#include "base/result.hpp"
#include "paint/pixel_rect.hpp"
#include "windows/surface.hpp"
#include "windows/text_layout.hpp"
#include "windows/text_service.hpp"

namespace tolmin::win {

using Microsoft::WRL::ComPtr;

// The two render-target calls a lost device is about: making a render target and ending a drawing. These
// are Direct2D's own; a test derives from it to lose the device or to refuse a new render target.
class RenderTargetCalls {
public:
    RenderTargetCalls() = default;
    RenderTargetCalls(const RenderTargetCalls&) = delete;
    RenderTargetCalls& operator=(const RenderTargetCalls&) = delete;
    virtual ~RenderTargetCalls() = default;

    // A DC render target for premultiplied 32-bit BGRA at the platform's default DPI, with grayscale text.
    virtual Result<ComPtr<ID2D1DCRenderTarget>> make_target();
    virtual HRESULT end_draw(ID2D1RenderTarget& target);
};

class Graphics {
public:
    Graphics(ComPtr<IDWriteFontCollection1> fonts, TextFormats text, std::unique_ptr<RenderTargetCalls> calls,
             ComPtr<ID2D1DCRenderTarget> target);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics() = default;  // the members go in reverse order: the surface after the interfaces

    // The faces loaded from the font directory; null when no directory was given or loading failed.
    IDWriteFontCollection1* fonts() const { return fonts_.Get(); }
    // Made from the factory and the collection; they do not depend on the render target, so they outlive a
    // lost device.
    TextFormats& text() { return text_; }
    // The text service over those formats, with the text layouts it keeps from paint to paint.
    DWriteTextService& text_service() { return text_service_; }
    // The bitmap the picture is drawn into; none before the first paint.
    const std::optional<Surface>& surface() const { return surface_; }
    // Where the drawing between begin_drawing and end_drawing goes.
    ID2D1RenderTarget& target() { return *target_.Get(); }

    // One paint: `draw` makes the drawings, each from begin_drawing to end_drawing. When one ends with a lost
    // device (a driver update, a GPU reset, a remote-desktop switch, sleep), the paint fails so (ErrorKind
    // DeviceLost) and the render target is remade before the next paint; one that cannot be remade is tried
    // again at each paint, which until then draws nothing and fails with the reason.
    Result<void> paint(const std::function<Result<void>()>& draw);

    // Makes the bitmap at least width x height (it only grows; a failure to grow keeps the old one), binds
    // the render target to `area` of it (whose top-left corner becomes the render target's origin), begins
    // drawing and clears that area to transparent. The rest of the bitmap keeps its pixels.
    Result<void> begin_drawing(std::int32_t width, std::int32_t height, const PixelRect& area);
    // Ends drawing and hands the picture's top-left width x height to the layered window, which also moves
    // to (x, y) and takes that size; only `area` of it is new. On failure the window keeps its previous
    // picture.
    Result<void> end_drawing(HWND window, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height, const PixelRect& area);

private:
    Result<void> remake_target();

    std::optional<Surface> surface_;
    ComPtr<IDWriteFontCollection1> fonts_;
    TextFormats text_;
    DWriteTextService text_service_{text_};
    std::unique_ptr<RenderTargetCalls> calls_;
    ComPtr<ID2D1DCRenderTarget> target_;
    bool target_lost_ = false;  // the device was lost and no new render target was made since
};

// The DirectWrite factory, the font directory (which reports its own problems on `err`), the text formats
// and the render target. Any failure is returned.
Result<std::unique_ptr<Graphics>> create_graphics(
    const std::optional<std::filesystem::path>& fonts, Output& err,
    std::unique_ptr<RenderTargetCalls> calls = std::make_unique<RenderTargetCalls>());

}  // namespace tolmin::win
