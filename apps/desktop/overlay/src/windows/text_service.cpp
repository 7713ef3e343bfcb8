#include "windows/text_service.hpp"

#include <memory>
#include <utility>

#include "paint/text_width.hpp"

namespace tolmin::win {

DWriteTextService::DWriteTextService(TextFormats& formats) : formats_(formats) {}

const DWriteTextService::Untrimmed* DWriteTextService::untrimmed(std::string_view text, const TextSpec& spec,
                                                                 double scale) {
    for (const Untrimmed& kept : untrimmed_) {
        if (kept.text == text && kept.spec == spec && kept.scale == scale)
            return kept.layout ? &kept : nullptr;
    }
    // A text that cannot be laid out or measured is kept too (without a layout): it is not tried again.
    Untrimmed made{std::string(text), spec, scale, nullptr, {}};
    if (Result<ComPtr<IDWriteTextLayout>> layout = formats_.make_layout(text, spec, scale, std::nullopt)) {
        made.layout = std::move(layout).value();
        if (FAILED(made.layout->GetMetrics(&made.metrics))) made.layout.Reset();
    }
    untrimmed_.push_back(std::move(made));
    return untrimmed_.back().layout ? &untrimmed_.back() : nullptr;
}

double DWriteTextService::measure_text(std::string_view text, const TextSpec& spec, double scale) {
    const Untrimmed* laid_out = untrimmed(text, spec, scale);
    if (laid_out == nullptr) return 0.0;
    return text_width(laid_out->metrics.width, laid_out->metrics.widthIncludingTrailingWhitespace);
}

std::optional<TextBox> DWriteTextService::text_box(std::string_view text, const TextSpec& spec, double scale,
                                                   std::optional<double> fit) {
    ComPtr<IDWriteTextLayout> layout;
    DWRITE_TEXT_METRICS metrics{};
    if (!fit) {
        const Untrimmed* laid_out = untrimmed(text, spec, scale);
        if (laid_out == nullptr) return std::nullopt;
        layout = laid_out->layout;
        metrics = laid_out->metrics;
    } else {
        Result<ComPtr<IDWriteTextLayout>> made = formats_.make_layout(text, spec, scale, fit);
        if (!made) return std::nullopt;
        layout = std::move(made).value();
        if (FAILED(layout->GetMetrics(&metrics))) return std::nullopt;
    }
    TextBox box;
    box.width = text_width(metrics.width, metrics.widthIncludingTrailingWhitespace);
    box.height = metrics.height;
    box.top = metrics.top;
    box.handle = std::make_unique<DWriteTextHandle>(std::move(layout));
    return box;
}

}  // namespace tolmin::win
