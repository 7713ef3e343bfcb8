#include "paint/text_rules.hpp"

#include <cmath>
#include <utility>

namespace tolmin {

void fill_box(Canvas& canvas, double x, double y, double width, double height, const Rgb& color,
              double alpha) {
    canvas.fill_rectangle(RectF{x, y, x + width, y + height}, color, alpha);
}

void panel(Canvas& canvas, double w, double h, double a, const Rgb& background, double background_alpha,
           const std::optional<Rgb>& edge) {
    canvas.fill_rectangle(RectF{0, 0, w, h}, background, background_alpha);
    if (!edge) return;
    // The corners belong to the top and bottom lines, so the strips never overlap (which would show at a
    // block's opacity below 1).
    canvas.fill_rectangle(RectF{0, 0, w, a}, *edge, 1.0);
    fill_box(canvas, 0, h - a, w, a, *edge, 1.0);
    fill_box(canvas, 0, a, a, h - 2 * a, *edge, 1.0);
    fill_box(canvas, w - a, a, a, h - 2 * a, *edge, 1.0);
}

void place_text(Canvas& canvas, const TextBox& box, double x, double cy, const Rgb& color, double alpha) {
    canvas.draw_text(box, PointF{x, cy - box.height / 2 - box.top}, color, alpha);
}

void place_text_right(Canvas& canvas, const TextBox& box, double right, double cy, const Rgb& color,
                      double alpha) {
    place_text(canvas, box, right - box.width, cy, color, alpha);
}

std::optional<TextBox> fit_text(const TextContext& ctx, const std::optional<std::string>& text,
                                const TextSpec& spec, double avail, double used, double gap) {
    if (!text || text->empty()) return std::nullopt;
    std::optional<TextBox> natural = ctx.box(*text, spec);
    if (!natural) return std::nullopt;
    if (avail >= used + gap + natural->width) return natural;

    const double left_over = avail - used - gap;
    const double least = 0.4 * avail;
    const double limit = std::isnan(least) ? left_over : (left_over > least ? left_over : least);
    if (natural->width > limit) {
        natural.reset();  // one layout at a time: the wide one goes before the trimmed one is made
        return ctx.box(*text, spec, limit);
    }
    return natural;
}

Trim trim_to(const TextContext& ctx, std::string_view text, const TextSpec& spec, double avail,
             TextBox& box) {
    if (!(box.width > avail)) return Trim::Fits;
    std::optional<TextBox> trimmed = ctx.box(text, spec, avail);
    if (!trimmed) return Trim::Failed;
    box = std::move(*trimmed);
    return Trim::Trimmed;
}

}  // namespace tolmin
