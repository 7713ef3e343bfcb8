#pragma once
// The text service over Pango: every text box is a PangoLayout in the style's family, weight and pixel size,
// with the style's tracking as letter spacing and, given a fitting width, cut at the end with an ellipsis.
// Fonts come from fontconfig's current configuration (the --fonts directory's faces are added to it first).
// Layouts are kept from one paint to the next (TextCache): a text drawn again is not laid out again.

#include <pango/pangocairo.h>

#include <memory>
#include <optional>
#include <string_view>

#include "cairo/cairo_holders.hpp"
#include "paint/canvas.hpp"
#include "paint/text_cache.hpp"

namespace tolmin::cairo {

// What a Pango text box keeps for drawing: its layout.
struct PangoTextHandle final : TextHandle {
    explicit PangoTextHandle(PangoLayout* made) : layout(made) {}
    GObjectPtr<PangoLayout> layout;
};

class PangoTextService final : public TextService {
public:
    PangoTextService();

    double measure_text(std::string_view text, const TextSpec& spec, double scale) override;
    std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                    std::optional<double> fit) override;

    // How many Pango layouts were made so far.
    std::size_t layouts_made() const { return layouts_made_; }

private:
    // A laid-out text with its box; no layout when the text cannot be laid out.
    struct Laid {
        GObjectPtr<PangoLayout> layout;
        double width = 0, height = 0, top = 0;
    };
    Laid lay_out(std::string_view text, const TextSpec& spec, double scale, std::optional<double> fit);

    GObjectPtr<PangoFontMap> fonts_;
    GObjectPtr<PangoContext> context_;
    TextCache<Laid> laid_;
    std::size_t layouts_made_ = 0;
};

}  // namespace tolmin::cairo
