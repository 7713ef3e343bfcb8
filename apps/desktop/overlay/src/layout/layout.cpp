#include "layout/layout.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "layout/repaint.hpp"
#include "layout/scale.hpp"
#include "model/parse_frame.hpp"

namespace tolmin {

namespace {

constexpr std::size_t MAX_ALERTS = 4;
constexpr std::size_t MAX_TOASTS = 3;
constexpr std::size_t MAX_BLOCKS = 2 + MAX_ALERTS + MAX_TOASTS;

// Design lengths at scale 1.
constexpr double HUD_INSET = 84;
constexpr double HUD_PRESENCE_GAP = 36;
constexpr double HUD_MIN_WIDTH = 204;
constexpr double HUD_MIN_WIDTH_PRESENCE = 300;
constexpr double HUD_HEIGHT = 52;
constexpr double NIGHT_INSET = 36;
constexpr double NIGHT_TAG_GAP = 12;
constexpr double NIGHT_HEIGHT = 42;
constexpr double NIGHT_GAP = 12;
constexpr double ROW_WIDTH = 460;
constexpr double ALERT_HEIGHT = 52;
constexpr double ROW_GAP = 8;
constexpr double CALLER_HEIGHT = 72;
constexpr double MARKER_HEIGHT = 64;
constexpr double MARKER_DETAIL_HEIGHT = 84;
constexpr double TOAST_SLIDE = 8;
constexpr double SLIDE_ROOM = 8;
constexpr double DEFAULT_OFFSET = 24;

double stroke_for(double scale) {
    const double whole = std::floor(scale);
    return std::isnan(whole) ? 1.0 : std::max(whole, 1.0);
}

struct Fade {
    double alpha;
    double slide;  // design pixels, towards the monitor edge
};

// The fade-in over the first 120 ms after `born` and the fade-out over the last 180 ms before `dies`. A NaN
// `born` means no fade-in at all, so the toast neither vanishes nor slides by an undefined amount.
Fade toast_fade(double born, double dies, double now) {
    double in = std::clamp((now - born) / FADE_IN_MS, 0.0, 1.0);
    if (std::isnan(in)) in = 1.0;
    const double out = std::clamp((dies - now) / FADE_OUT_MS, 0.0, 1.0);
    const double alpha = std::isnan(out) ? in : std::min(in, out);
    return {alpha, (1.0 - in) * TOAST_SLIDE};
}

double toast_height(const Toast& toast) {
    if (toast.kind != ToastKind::Marker) return CALLER_HEIGHT;
    return has_detail(toast) ? MARKER_DETAIL_HEIGHT : MARKER_HEIGHT;
}

// The blocks in stacking order with the space above each.
class Stack {
public:
    explicit Stack(std::vector<Block>& blocks) : blocks_(blocks) { blocks_.reserve(MAX_BLOCKS); }

    bool empty() const { return blocks_.empty(); }
    std::int32_t gap(std::size_t i) const { return gaps_[i]; }

    void add(BlockKind kind, std::int32_t w, std::int32_t h, std::int32_t gap, Fade fade = {1.0, 0.0}) {
        gaps_[blocks_.size()] = gap;
        Block block;
        block.kind = kind;
        block.alpha = fade.alpha;
        block.slide = fade.slide;
        block.w = w;
        block.h = h;
        blocks_.push_back(block);
    }

private:
    std::vector<Block>& blocks_;
    std::array<std::int32_t, MAX_BLOCKS> gaps_{};
};

void add_hud(Stack& stack, const Hud& hud, double s, double stroke, TextMeasurer& measurer) {
    // Measured one by one: the measurer sees state, elapsed, presence in this order.
    const double state = measurer.measure_text(hud.state, HUD_STATE, s);
    const double elapsed = measurer.measure_text(hud.elapsed, HUD_ELAPSED, s);
    double total = stroke + stroke + HUD_INSET * s + state + elapsed;
    std::int32_t minimum = px(HUD_MIN_WIDTH, s);
    if (hud.presence) {
        const double presence = measurer.measure_text(*hud.presence, HUD_PRESENCE, s);
        total += HUD_PRESENCE_GAP * s + stroke + presence;
        minimum = px(HUD_MIN_WIDTH_PRESENCE, s);
    }
    stack.add({BlockKind::Type::Hud, 0}, std::max(ceilpx(total), minimum), px(HUD_HEIGHT, s), 0);
}

void add_night(Stack& stack, const Night& night, bool after_hud, double s, double stroke,
               TextMeasurer& measurer) {
    const double title = measurer.measure_text(night.title, NIGHT_TITLE, s);
    double total = stroke + stroke + NIGHT_INSET * s + title;
    if (night.tag && !night.tag->empty()) {
        const double tag = measurer.measure_text(*night.tag, NIGHT_TAG, s);
        total += NIGHT_TAG_GAP * s + tag;
    }
    stack.add({BlockKind::Type::Night, 0}, std::min(ceilpx(total), px(ROW_WIDTH, s)), px(NIGHT_HEIGHT, s),
              after_hud ? px(NIGHT_GAP, s) : 0);
}

void add_toasts(Stack& stack, const std::vector<Toast>& toasts, double s, double now) {
    std::size_t shown = 0;
    for (std::size_t i = 0; i < toasts.size() && shown < MAX_TOASTS; ++i) {
        const Toast& toast = toasts[i];
        if (toast.kind == ToastKind::Unrecognized || !(toast.dies > now)) continue;
        stack.add({BlockKind::Type::Toast, i}, px(ROW_WIDTH, s), px(toast_height(toast), s),
                  stack.empty() ? 0 : px(ROW_GAP, s), toast_fade(toast.born, toast.dies, now));
        ++shown;
    }
}

}  // namespace

Layout layout_frame(const Frame& frame, double scale, double now_ms, TextMeasurer& measurer) {
    const double s = scale;
    Layout layout;
    layout.scale = s;
    layout.stroke = stroke_for(s);
    layout.anchor = frame.anchor;

    Stack stack(layout.blocks);
    if (frame.hud) add_hud(stack, *frame.hud, s, layout.stroke, measurer);
    if (frame.night) add_night(stack, *frame.night, frame.hud.has_value(), s, layout.stroke, measurer);
    for (std::size_t i = 0; i < frame.alerts.size() && i < MAX_ALERTS; ++i) {
        stack.add({BlockKind::Type::Alert, i}, px(ROW_WIDTH, s), px(ALERT_HEIGHT, s),
                  stack.empty() ? 0 : px(ROW_GAP, s));
    }
    add_toasts(stack, frame.toasts, s, now_ms);

    const double offset = std::isfinite(frame.offset) ? std::max(frame.offset, 0.0) : DEFAULT_OFFSET;
    const std::int32_t pad = px(offset, s);
    if (stack.empty()) {
        layout.margin_x = pad;
        layout.margin_y = pad;
        return layout;
    }

    // Pixel sums run in 64 bits: extreme scales saturate instead of overflowing.
    const std::int32_t e = std::min(pad, px(SLIDE_ROOM, s));
    std::int64_t widest = layout.blocks.front().w;
    std::int64_t total = 0;
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
        widest = std::max<std::int64_t>(widest, layout.blocks[i].w);
        total += std::int64_t{layout.blocks[i].h} + stack.gap(i);
    }

    const bool right = is_right(frame.anchor);
    const bool top = is_top(frame.anchor);
    std::int64_t above = 0;  // the preceding blocks' heights and gaps
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
        Block& block = layout.blocks[i];
        double slide = block.slide * s;
        if (!std::isfinite(slide)) slide = 0.0;
        if (!right && slide != 0.0) slide = -slide;
        block.slide = slide;
        block.x = right ? saturate_i32(widest - block.w) : e;
        const std::int64_t step = std::int64_t{block.h} + stack.gap(i);
        block.y = top ? saturate_i32(above + stack.gap(i)) : saturate_i32(total - above - step);
        above += step;
    }

    layout.width = saturate_i32(widest + e);
    layout.height = saturate_i32(total);
    layout.margin_x = saturate_i32(std::int64_t{pad} - e);
    layout.margin_y = pad;
    return layout;
}

}  // namespace tolmin
