#pragma once
// The text service over DirectWrite (measure_text and text_box) for one frame application: the layout
// measures through it and the painter makes its text boxes with it.

#include <string>
#include <string_view>
#include <vector>

#include "paint/canvas.hpp"
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
    // A text laid out without a fitting width, kept for this service's life: the layout measures the Hud
    // and Night texts and the painter draws the same texts, so each is laid out once.
    struct Untrimmed {
        std::string text;
        TextSpec spec;
        double scale = 0;
        ComPtr<IDWriteTextLayout> layout;  // null: the text cannot be laid out or measured
        DWRITE_TEXT_METRICS metrics{};
    };

    // The untrimmed layout of the text with its metrics; null when it cannot be made or measured.
    const Untrimmed* untrimmed(std::string_view text, const TextSpec& spec, double scale);

    TextFormats& formats_;
    std::vector<Untrimmed> untrimmed_;
};

}  // namespace tolmin::win
