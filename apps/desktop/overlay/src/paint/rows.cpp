#include "paint/rows.hpp"

#include <algorithm>
#include <string>

#include "model/parse_frame.hpp"

namespace tolmin {

namespace {

constexpr double ROW_PANEL_ALPHA = 0.94;
constexpr double CALLER_TIME_ALPHA = 0.72;

void paint_marker(const TextContext& ctx, double w, double h, double s, const Toast& toast) {
    Canvas& canvas = ctx.canvas;
    canvas.fill_rectangle(RectF{0, 0, w, h}, PANEL, ROW_PANEL_ALPHA);
    canvas.fill_rectangle(RectF{0, 0, 8 * s, h}, parse_color(toast.tick, TOAST_TICK_FALLBACK), 1.0);

    std::optional<TextBox> count;
    if (toast.count) {
        const std::string label = count_label(*toast.count);
        if (!label.empty()) count = ctx.box(label, TOAST_COUNT);
    }
    const double cx = count ? count->width + 16 * s : 0.0;
    const TextSpec& time_style = count ? TOAST_TIME : TOAST_TIME_ALONE;

    std::optional<TextBox> title = ctx.box(toast.title, TOAST_TITLE);
    if (!title) return;

    const double left = 28 * s;
    const double right = w - 20 * s;
    const double avail = w - 48 * s;

    std::optional<TextBox> time = fit_text(ctx, toast.time, time_style, avail, title->width + cx, 16 * s);
    const double title_avail = non_negative(avail - cx - (time ? time->width + 16 * s : 0.0));
    // A title whose trimmed box cannot be made is drawn untrimmed.
    trim_to(ctx, toast.title, TOAST_TITLE, title_avail, *title);

    double line = std::max(0.0, title->height);
    if (count) line = std::max(line, count->height);
    if (time) line = std::max(line, time->height);

    // The detail's whole text, white space included, is what is drawn.
    std::optional<TextBox> detail;
    if (has_detail(toast)) {
        detail = ctx.box(*toast.detail, TOAST_DETAIL);
        if (detail && trim_to(ctx, *toast.detail, TOAST_DETAIL, avail, *detail) == Trim::Failed)
            detail.reset();
    }

    // With a detail, the title line and the detail line, 2s apart, are centred in the block as a group.
    double cy = h / 2;
    double detail_y = 0;
    if (detail) {
        const double top = (h - (2 * s + line + detail->height)) / 2;
        cy = top + line / 2;
        detail_y = top + line + 2 * s;
    }

    place_text(canvas, *title, left, cy, parse_color(toast.title_color, TOAST_TITLE_COLOR_FALLBACK));
    if (count) place_text(canvas, *count, left + title->width + 16 * s, cy, LIME);
    if (time)
        place_text_right(canvas, *time, right, cy, parse_color(toast.time_color, TOAST_TIME_COLOR_FALLBACK));
    if (detail) {
        canvas.draw_text(*detail, PointF{left, detail_y - detail->top},
                         parse_color(toast.detail_color, TOAST_DETAIL_COLOR_FALLBACK), 1.0);
    }
}

}  // namespace

void paint_alert(const TextContext& ctx, double w, double h, double a, double s, const Alert& alert) {
    Canvas& canvas = ctx.canvas;
    const double cy = h / 2;
    panel(canvas, w, h, a, PANEL, ROW_PANEL_ALPHA, EDGE);
    canvas.fill_rectangle(RectF{a, a, a + 12 * s, h - a}, parse_color(alert.bar, ALERT_BAR_FALLBACK), 1.0);

    std::optional<TextBox> title = ctx.box(alert.title, ALERT_TITLE);
    if (!title) return;

    const double right = w - a - 18 * s;
    const double title_x = 30 * s + a;
    const double avail = right - title_x;

    std::optional<TextBox> detail = fit_text(ctx, alert.detail, ALERT_DETAIL, avail, title->width, 16 * s);
    const double title_avail = non_negative(avail - (detail ? detail->width + 16 * s : 0.0));
    // A title whose trimmed box cannot be made is drawn untrimmed.
    trim_to(ctx, alert.title, ALERT_TITLE, title_avail, *title);

    place_text(canvas, *title, title_x, cy, parse_color(alert.title_color, ALERT_TITLE_COLOR_FALLBACK));
    if (detail) {
        place_text_right(canvas, *detail, right, cy,
                         parse_color(alert.detail_color, ALERT_DETAIL_COLOR_FALLBACK));
    }
}

void paint_toast(const TextContext& ctx, double w, double h, double a, double s, const Toast& toast) {
    switch (toast.kind) {
        case ToastKind::Marker:
            paint_marker(ctx, w, h, s, toast);
            return;
        case ToastKind::Caller:
            ctx.canvas.fill_rectangle(RectF{0, 0, w, h}, LIME, 1.0);
            toast_row(ctx, h, s, 20 * s, w - 20 * s, toast, toast.time,
                      ToastRowLook{CALLER_TITLE, PANEL, PANEL, TOAST_TIME, PANEL, CALLER_TIME_ALPHA});
            return;
        case ToastKind::Same:
            panel(ctx.canvas, w, h, a, PANEL, ROW_PANEL_ALPHA, LIME);
            toast_row(ctx, h, s, 20 * s + a, w - 20 * s - a, toast, toast.detail,
                      ToastRowLook{TOAST_TITLE, LIME, SOFT, TOAST_DETAIL, DIM, 1.0});
            return;
        case ToastKind::Unrecognized:
            return;
    }
}

void toast_row(const TextContext& ctx, double h, double s, double left, double right, const Toast& toast,
               const std::optional<std::string>& secondary, const ToastRowLook& look) {
    Canvas& canvas = ctx.canvas;
    const double cy = h / 2;

    if (toast.index && !toast.index->empty()) {
        if (std::optional<TextBox> index = ctx.box(*toast.index, TOAST_INDEX)) {
            place_text(canvas, *index, left, cy, look.index_color);
            left += index->width + 20 * s;
        }
    }

    std::optional<TextBox> title = ctx.box(toast.title, look.title_style);
    if (!title) return;

    const double avail = non_negative(right - left);
    std::optional<TextBox> second =
        fit_text(ctx, secondary, look.secondary_style, avail, title->width, 20 * s);
    const double title_avail = non_negative(avail - (second ? second->width + 20 * s : 0.0));
    // A title whose trimmed box cannot be made is drawn untrimmed.
    trim_to(ctx, toast.title, look.title_style, title_avail, *title);

    place_text(canvas, *title, left, cy, look.title_color);
    if (second) place_text_right(canvas, *second, right, cy, look.secondary_color, look.secondary_alpha);
}

}  // namespace tolmin
