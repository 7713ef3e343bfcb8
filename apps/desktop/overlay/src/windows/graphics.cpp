#include "windows/graphics.hpp"

#include <utility>

#include "paint/text_width.hpp"
#include "windows/font_directory.hpp"
#include "windows/platform_error.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {
namespace {

// A factory or creation call that reports success without handing out its object counts as a failure.
Error failed(HRESULT hr) {
    return hresult_error(SUCCEEDED(hr) ? E_POINTER : hr);
}

}  // namespace

Graphics::~Graphics() {
    fonts.reset();
    target.reset();
    dwrite.reset();
    surface.reset();
}

Result<std::unique_ptr<Graphics>> create_graphics(const std::optional<std::filesystem::path>& font_directory,
                                                  Output& err) {
    ComPtr<ID2D1Factory> d2d;
    HRESULT hr =
        D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr, d2d.put_void());
    if (FAILED(hr) || !d2d) return failed(hr);

    auto graphics = std::make_unique<Graphics>();
    hr = DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                             reinterpret_cast<IUnknown**>(graphics->dwrite.put()));
    if (FAILED(hr) || !graphics->dwrite) return failed(hr);

    graphics->fonts = load_font_directory(graphics->dwrite.get(), font_directory, err);
    if (graphics->fonts) {
        const CondensedFamily choice = condensed_family_in(graphics->fonts.get());
        graphics->condensed.family = to_wide(choice.family);
        graphics->condensed.stretch = static_cast<DWRITE_FONT_STRETCH>(choice.stretch);
    }

    D2D1_RENDER_TARGET_PROPERTIES properties{};
    properties.type = D2D1_RENDER_TARGET_TYPE_DEFAULT;
    properties.pixelFormat.format = DXGI_FORMAT_B8G8R8A8_UNORM;
    properties.pixelFormat.alphaMode = D2D1_ALPHA_MODE_PREMULTIPLIED;
    properties.dpiX = 0.0f;  // the platform's default DPI
    properties.dpiY = 0.0f;
    properties.usage = D2D1_RENDER_TARGET_USAGE_GDI_COMPATIBLE;
    properties.minLevel = D2D1_FEATURE_LEVEL_DEFAULT;
    hr = d2d->CreateDCRenderTarget(&properties, graphics->target.put());
    if (FAILED(hr) || !graphics->target) return failed(hr);
    graphics->target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
    return graphics;  // the Direct2D factory is released here; the render target keeps what it needs
}

DWriteTextService::DWriteTextService(const Graphics& graphics)
    : dwrite_(graphics.dwrite), fonts_(graphics.fonts), condensed_(graphics.condensed) {}

double DWriteTextService::measure_text(std::string_view text, const TextSpec& spec, double scale) {
    const Result<ComPtr<IDWriteTextLayout>> layout =
        make_text_layout(dwrite_.get(), fonts_.get(), text, spec, scale, std::nullopt, condensed_);
    if (!layout) return 0.0;
    DWRITE_TEXT_METRICS metrics{};
    if (FAILED(layout.value()->GetMetrics(&metrics))) return 0.0;
    return text_width(metrics.width, metrics.widthIncludingTrailingWhitespace);
}

std::optional<TextBox> DWriteTextService::text_box(std::string_view text, const TextSpec& spec, double scale,
                                                   std::optional<double> fit) {
    Result<ComPtr<IDWriteTextLayout>> layout =
        make_text_layout(dwrite_.get(), fonts_.get(), text, spec, scale, fit, condensed_);
    if (!layout) return std::nullopt;
    DWRITE_TEXT_METRICS metrics{};
    if (FAILED(layout.value()->GetMetrics(&metrics))) return std::nullopt;
    TextBox box;
    box.width = text_width(metrics.width, metrics.widthIncludingTrailingWhitespace);
    box.height = metrics.height;
    box.top = metrics.top;
    box.handle = std::make_unique<DWriteTextHandle>(std::move(layout).value());
    return box;
}

}  // namespace tolmin::win
