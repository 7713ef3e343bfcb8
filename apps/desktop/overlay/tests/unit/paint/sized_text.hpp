#pragma once
// The recorder's text service with widths a test chooses: a text that ends in "#N" is N pixels wide in any
// style at any scale ("title#300"); one that starts with "broken" cannot be laid out (it measures 0), and
// one that starts with "untrimmable" has no trimmed box. Other texts measure as FixedTextService says.

#include <string>
#include <string_view>

#include "paint/recording_canvas.hpp"

namespace tolmin::test {

struct SizedText final : FixedTextService {
    double measure_text(std::string_view text, const TextSpec& spec, double scale) override {
        if (text.rfind("broken", 0) == 0) return 0;
        const std::size_t mark = text.rfind('#');
        if (mark != std::string_view::npos && mark + 1 < text.size() &&
            text.find_first_not_of("0123456789.", mark + 1) == std::string_view::npos) {
            return std::stod(std::string(text.substr(mark + 1)));
        }
        return FixedTextService::measure_text(text, spec, scale);
    }
    std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                    std::optional<double> fit) override {
        if (text.rfind("broken", 0) == 0 || (fit && text.rfind("untrimmable", 0) == 0)) return std::nullopt;
        return FixedTextService::text_box(text, spec, scale, fit);
    }
};

}  // namespace tolmin::test
