#pragma once
// The row blocks that stack beside the Hud: alerts and toasts, each drawn in its own frame ((0, 0) the
// block's top-left corner, w and h its size, a the stroke, s the scale).

#include <optional>
#include <string>

#include "model/frame.hpp"
#include "paint/color.hpp"
#include "paint/text_rules.hpp"
#include "text/text_style.hpp"

namespace tolmin {

// Panel, coloured bar, title and a right-aligned detail; the detail keeps at least 40 % of the room and the
// title is trimmed to what is left.
void paint_alert(const TextContext& ctx, double w, double h, double a, double s, const Alert& alert);

// One of the three looks by the toast's kind (marker, caller, same); a toast of an unrecognized kind draws
// nothing.
void paint_toast(const TextContext& ctx, double w, double h, double a, double s, const Toast& toast);

// How a caller or same toast draws its single line of content.
struct ToastRowLook {
    TextSpec title_style;
    Rgb index_color;
    Rgb title_color;
    TextSpec secondary_style;
    Rgb secondary_color;
    double secondary_alpha = 1.0;
};

// The line of a caller or same toast between `left` and `right`: the index (when present and not empty), the
// title, and the secondary text (the toast's time or detail) right-aligned.
void toast_row(const TextContext& ctx, double h, double s, double left, double right, const Toast& toast,
               const std::optional<std::string>& secondary, const ToastRowLook& look);

}  // namespace tolmin
