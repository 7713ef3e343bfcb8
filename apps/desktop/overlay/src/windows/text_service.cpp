#include "windows/text_service.hpp"

#include <memory>
#include <utility>

#include "paint/text_width.hpp"

namespace tolmin::win {

DWriteTextService::DWriteTextService(TextFormats& formats) : formats_(formats) {}

const DWriteTextService::Laid& DWriteTextService::laid_out(std::string_view text, const TextSpec& spec,
                                                           double scale, std::optional<double> fit) {
    // A text that cannot be laid out or measured is kept too (without a layout): it is not tried again.
    return laid_.get(text, spec, scale, fit, [&] {
        Laid made;
        if (Result<ComPtr<IDWriteTextLayout>> layout = formats_.make_layout(text, spec, scale, fit)) {
            made.layout = std::move(layout).value();
            if (FAILED(made.layout->GetMetrics(&made.metrics))) made.layout.Reset();
        }
        return made;
    });
}

double DWriteTextService::measure_text(std::string_view text, const TextSpec& spec, double scale) {
    const Laid& laid = laid_out(text, spec, scale, std::nullopt);
    if (!laid.layout) return 0.0;
    return text_width(laid.metrics.width, laid.metrics.widthIncludingTrailingWhitespace);
}

std::optional<TextBox> DWriteTextService::text_box(std::string_view text, const TextSpec& spec, double scale,
                                                   std::optional<double> fit) {
    const Laid& laid = laid_out(text, spec, scale, fit);
    if (!laid.layout) return std::nullopt;
    TextBox box;
    box.width = text_width(laid.metrics.width, laid.metrics.widthIncludingTrailingWhitespace);
    box.height = laid.metrics.height;
    box.top = laid.metrics.top;
    // The box holds a reference of its own: the cache may drop the layout before the box is drawn.
    box.handle = std::make_unique<DWriteTextHandle>(laid.layout);
    return box;
}

}  // namespace tolmin::win
