#include "paint/blocks.hpp"

#include <cmath>
#include <optional>

#include "paint/color.hpp"

namespace tolmin {

namespace {

constexpr double BLOCK_PANEL_ALPHA = 0.92;

}  // namespace

void paint_hud(const TextContext& ctx, double w, double h, double a, double s, const Hud& hud) {
    Canvas& canvas = ctx.canvas;
    const double cy = h / 2;
    panel(canvas, w, h, a, PANEL, BLOCK_PANEL_ALPHA, EDGE);

    const Rgb dot = parse_color(hud.dot, HUD_DOT_FALLBACK);
    canvas.fill_ellipse(PointF{24 * s + a, h / 2}, 6 * s, 6 * s, dot, 1.0);

    double cursor = 48 * s + a;
    if (std::optional<TextBox> state = ctx.box(hud.state, HUD_STATE)) {
        place_text(canvas, *state, cursor, cy, parse_color(hud.state_color, HUD_STATE_COLOR_FALLBACK));
        cursor = 48 * s + a + state->width + 18 * s;
    }
    if (std::optional<TextBox> elapsed = ctx.box(hud.elapsed, HUD_ELAPSED)) {
        place_text(canvas, *elapsed, cursor, cy, BRIGHT);
        cursor += elapsed->width;
    }
    if (!hud.presence) return;

    // A vertical line of stroke width, 24s high, centred on the block's middle, snapped to whole pixels.
    const double line = std::round(24 * s);
    fill_box(canvas, std::round(cursor + 18 * s), std::round(h / 2 - line / 2), a, line, EDGE, 1.0);
    if (std::optional<TextBox> presence = ctx.box(*hud.presence, HUD_PRESENCE)) {
        place_text(canvas, *presence, cursor + 36 * s + a, cy, DIM);
    }
}

void paint_night(const TextContext& ctx, double w, double h, double a, double s, const Night& night) {
    Canvas& canvas = ctx.canvas;
    const double cy = h / 2;
    panel(canvas, w, h, a, PANEL, BLOCK_PANEL_ALPHA, EDGE);

    const double right = w - a - 18 * s;
    double x = 18 * s + a;

    if (night.tag && !night.tag->empty()) {
        std::optional<TextBox> tag = ctx.box(*night.tag, NIGHT_TAG);
        if (tag && trim_to(ctx, *night.tag, NIGHT_TAG, w - 2 * a - 36 * s, *tag) != Trim::Failed) {
            place_text(canvas, *tag, x, cy, MUTED);
            x += tag->width + 12 * s;
        }
    }

    std::optional<TextBox> title = ctx.box(night.title, NIGHT_TITLE);
    if (!title) return;
    if (trim_to(ctx, night.title, NIGHT_TITLE, non_negative(right - x), *title) == Trim::Failed) return;
    place_text(canvas, *title, x, cy, SOFT);
}

}  // namespace tolmin
