#pragma once
// The drawing rules every block painter shares: fills, the panel (background and edge lines), placing a text
// box centred on a line, fitting a secondary text beside a title, and trimming a title to its room.

#include <optional>
#include <string>
#include <string_view>

#include "paint/canvas.hpp"
#include "paint/color.hpp"
#include "text/text_style.hpp"

namespace tolmin {

// What one paint draws with: the drawing interface, the text service and the layout's scale, which every text
// box of the paint is made at.
struct TextContext {
    Canvas& canvas;
    TextService& text;
    double scale = 1.0;

    // A text box of `text` in `spec` at the paint's scale, trimmed to `fit` when given.
    std::optional<TextBox> box(std::string_view text_utf8, const TextSpec& spec,
                               std::optional<double> fit = std::nullopt) const {
        return text.text_box(text_utf8, spec, scale, fit);
    }
};

// Fills the rectangle given as position and size: {x, y, x + width, y + height}.
void fill_box(Canvas& canvas, double x, double y, double width, double height, const Rgb& color,
              double alpha);

// The block's background over {0, 0, w, h}, then, with an edge colour, the four edge lines of stroke a at
// alpha 1: top and bottom across the full width, left and right between them.
void panel(Canvas& canvas, double w, double h, double a, const Rgb& background, double background_alpha,
           const std::optional<Rgb>& edge);

// Draws `box` with its left edge at x, its box centred vertically on cy.
void place_text(Canvas& canvas, const TextBox& box, double x, double cy, const Rgb& color,
                double alpha = 1.0);
// Draws `box` so that it ends at `right`, centred vertically on cy.
void place_text_right(Canvas& canvas, const TextBox& box, double right, double cy, const Rgb& color,
                      double alpha = 1.0);

// A secondary text (a detail or a time) beside a title `used` wide, with `gap` between them, in the room
// `avail`: untouched when everything fits, else cut to what the title leaves but never below 40 % of the
// room. Nothing for an absent or empty text or one that cannot be laid out.
std::optional<TextBox> fit_text(const TextContext& ctx, const std::optional<std::string>& text,
                                const TextSpec& spec, double avail, double used, double gap);

enum class Trim { Fits, Trimmed, Failed };

// Makes `box` (the text `text` in `spec`) again with the fitting width `avail` when it is wider than that.
// Failed: the trimmed box could not be made and `box` is left as it was (each caller says what follows).
Trim trim_to(const TextContext& ctx, std::string_view text, const TextSpec& spec, double avail, TextBox& box);

// max(0, value), with NaN giving 0.
inline double non_negative(double value) {
    return value > 0 ? value : 0.0;
}

}  // namespace tolmin
