#include "windows/graphics.hpp"

#include <utility>

#include "windows/font_directory.hpp"
#include "windows/platform_error.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {

Result<ComPtr<ID2D1DCRenderTarget>> RenderTargetCalls::make_target() {
    // The Direct2D factory is released on return; the render target keeps what it needs.
    ComPtr<ID2D1Factory> d2d;
    HRESULT hr = D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr, &d2d);
    if (FAILED(hr) || !d2d) return creation_error(hr);

    const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 0.0f, 0.0f,
        D2D1_RENDER_TARGET_USAGE_GDI_COMPATIBLE, D2D1_FEATURE_LEVEL_DEFAULT);
    ComPtr<ID2D1DCRenderTarget> target;
    hr = d2d->CreateDCRenderTarget(&properties, &target);
    if (FAILED(hr) || !target) return creation_error(hr);
    target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
    return target;
}

HRESULT RenderTargetCalls::end_draw(ID2D1RenderTarget& target) {
    return target.EndDraw(nullptr, nullptr);
}

Graphics::Graphics(ComPtr<IDWriteFontCollection1> fonts, TextFormats text,
                   std::unique_ptr<RenderTargetCalls> calls, ComPtr<ID2D1DCRenderTarget> target)
    : fonts_(std::move(fonts)),
      text_(std::move(text)),
      calls_(std::move(calls)),
      target_(std::move(target)) {}

Result<void> Graphics::paint(const std::function<Result<void>()>& draw) {
    if (target_lost_) {
        if (Result<void> remade = remake_target(); !remade) return remade;
    }
    Result<void> drawn = draw();
    if (!drawn && drawn.error().kind == ErrorKind::DeviceLost) target_lost_ = true;
    return drawn;
}

Result<void> Graphics::remake_target() {
    Result<ComPtr<ID2D1DCRenderTarget>> made = calls_->make_target();
    // The lost render target stays until a new one is made, so that nothing ever draws to a null one.
    target_lost_ = !made;
    if (!made) return made.error();
    target_ = std::move(made).value();
    return {};
}

Result<void> Graphics::begin_drawing(std::int32_t width, std::int32_t height, const PixelRect& area) {
    if (Result<void> grown = grow_surface(surface_, width, height); !grown) return grown;
    // Within the picture's size, not the bitmap's; EndDraw writes back this rectangle and nothing else.
    const PixelRect drawn = intersection(area, PixelRect{0, 0, width, height});
    const RECT bound{drawn.x, drawn.y, drawn.x + drawn.width, drawn.y + drawn.height};
    const HRESULT hr = target_->BindDC(surface_->dc(), &bound);
    if (FAILED(hr)) return hresult_error(hr);
    target_->BeginDraw();
    target_->Clear(D2D1::ColorF(0.0f, 0.0f, 0.0f, 0.0f));
    return {};
}

Result<void> Graphics::end_drawing(HWND window, std::int32_t x, std::int32_t y, std::int32_t width,
                                   std::int32_t height, const PixelRect& area) {
    const HRESULT hr = calls_->end_draw(*target_.Get());
    if (FAILED(hr)) return hresult_error(hr);
    if (!surface_) return hresult_error(E_UNEXPECTED);
    return show_surface(*surface_, window, x, y, width, height, area);
}

Result<std::unique_ptr<Graphics>> create_graphics(const std::optional<std::filesystem::path>& font_directory,
                                                  Output& err, std::unique_ptr<RenderTargetCalls> calls) {
    ComPtr<IDWriteFactory> dwrite;
    const HRESULT hr = DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                           reinterpret_cast<IUnknown**>(dwrite.GetAddressOf()));
    if (FAILED(hr) || !dwrite) return creation_error(hr);

    ComPtr<IDWriteFontCollection1> fonts = load_font_directory(dwrite.Get(), font_directory, err);
    // The family the condensed styles ask for: "Barlow Condensed", or "Barlow" with condensed stretch where
    // DirectWrite files the faces so (see condensed_family_in).
    CondensedFace condensed;
    if (fonts) {
        const CondensedFamily choice = condensed_family_in(fonts.Get());
        condensed.family = to_wide(choice.family);
        condensed.stretch = static_cast<DWRITE_FONT_STRETCH>(choice.stretch);
    }
    TextFormats text(dwrite, fonts, condensed);

    Result<ComPtr<ID2D1DCRenderTarget>> target = calls->make_target();
    if (!target) return target.error();
    return std::make_unique<Graphics>(std::move(fonts), std::move(text), std::move(calls),
                                      std::move(target).value());
}

}  // namespace tolmin::win
