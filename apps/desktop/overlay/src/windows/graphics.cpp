#include "windows/graphics.hpp"

#include <utility>

#include "windows/font_directory.hpp"
#include "windows/platform_error.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {
namespace {

// A factory or creation call that reports success without handing out its object counts as a failure.
Error failed(HRESULT hr) {
    return hresult_error(SUCCEEDED(hr) ? E_POINTER : hr);
}

// A DC render target for premultiplied 32-bit BGRA at the platform's default DPI, with grayscale text. Its
// Direct2D factory is released on return; the render target keeps what it needs.
Result<ComPtr<ID2D1DCRenderTarget>> make_render_target() {
    ComPtr<ID2D1Factory> d2d;
    HRESULT hr = D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr, &d2d);
    if (FAILED(hr) || !d2d) return failed(hr);

    const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 0.0f, 0.0f,
        D2D1_RENDER_TARGET_USAGE_GDI_COMPATIBLE, D2D1_FEATURE_LEVEL_DEFAULT);
    ComPtr<ID2D1DCRenderTarget> target;
    hr = d2d->CreateDCRenderTarget(&properties, &target);
    if (FAILED(hr) || !target) return failed(hr);
    target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
    return target;
}

}  // namespace

HRESULT end_draw_of_target(ID2D1RenderTarget* target) {
    return target->EndDraw(nullptr, nullptr);
}

Graphics::~Graphics() {
    text = TextFormats();
    fonts.Reset();
    target.Reset();
    dwrite.Reset();
    surface.reset();
}

Result<std::unique_ptr<Graphics>> create_graphics(const std::optional<std::filesystem::path>& font_directory,
                                                  Output& err) {
    auto graphics = std::make_unique<Graphics>();
    HRESULT hr = DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                     reinterpret_cast<IUnknown**>(graphics->dwrite.GetAddressOf()));
    if (FAILED(hr) || !graphics->dwrite) return failed(hr);

    graphics->fonts = load_font_directory(graphics->dwrite.Get(), font_directory, err);
    if (graphics->fonts) {
        const CondensedFamily choice = condensed_family_in(graphics->fonts.Get());
        graphics->condensed.family = to_wide(choice.family);
        graphics->condensed.stretch = static_cast<DWRITE_FONT_STRETCH>(choice.stretch);
    }
    graphics->text = TextFormats(graphics->dwrite, graphics->fonts, graphics->condensed);

    Result<ComPtr<ID2D1DCRenderTarget>> target = make_render_target();
    if (!target) return target.error();
    graphics->target = std::move(target).value();
    return graphics;
}

Result<void> remake_render_target(Graphics& graphics) {
    Result<ComPtr<ID2D1DCRenderTarget>> target = make_render_target();
    if (!target) return target.error();
    graphics.target = std::move(target).value();
    graphics.target_lost = false;
    return {};
}

}  // namespace tolmin::win
