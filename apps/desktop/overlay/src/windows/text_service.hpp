#pragma once
// The text service over DirectWrite (measure_text and text_box), kept for the life of the drawing resources:
// the layout measures through it and the painter makes its text boxes with it. Text layouts are kept from
// one paint to the next (TextCache), so a text measured is drawn from the same layout and a repaint tick lays
// out no text it laid out before.

#include <string_view>

#include "paint/canvas.hpp"
#include "paint/text_cache.hpp"
#include "windows/text_layout.hpp"

namespace tolmin::win {

class DWriteTextService final : public TextService {
public:
    explicit DWriteTextService(TextFormats& formats);
    // The text's width in pixels; 0 when it cannot be laid out.
    double measure_text(std::string_view text, const TextSpec& spec, double scale) override;
    std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                    std::optional<double> fit) override;

private:
    // A text laid out with its metrics; no layout when it cannot be laid out or measured.
    struct Laid {
        ComPtr<IDWriteTextLayout> layout;
        DWRITE_TEXT_METRICS metrics{};
    };

    const Laid& laid_out(std::string_view text, const TextSpec& spec, double scale,
                         std::optional<double> fit);

    TextFormats& formats_;
    TextCache<Laid> laid_;
};

}  // namespace tolmin::win
