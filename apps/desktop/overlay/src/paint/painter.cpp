#include "paint/painter.hpp"

#include <cmath>

#include "paint/blocks.hpp"
#include "paint/rows.hpp"
#include "paint/text_rules.hpp"

namespace tolmin {

namespace {

// Draws one block in its own frame. A block whose model entry is missing (a layout made from another Frame)
// draws nothing.
void paint_block(const TextContext& ctx, const Frame& frame, const Layout& layout, const Block& block) {
    const double w = block.w;
    const double h = block.h;
    const double a = layout.stroke;
    const double s = layout.scale;
    const std::size_t i = block.kind.index;
    switch (block.kind.type) {
        case BlockKind::Type::Hud:
            if (frame.hud) paint_hud(ctx, w, h, a, s, *frame.hud);
            return;
        case BlockKind::Type::Night:
            if (frame.night) paint_night(ctx, w, h, a, s, *frame.night);
            return;
        case BlockKind::Type::Alert:
            if (i < frame.alerts.size()) paint_alert(ctx, w, h, a, s, frame.alerts[i]);
            return;
        case BlockKind::Type::Toast:
            if (i < frame.toasts.size()) paint_toast(ctx, w, h, a, s, frame.toasts[i]);
            return;
    }
}

}  // namespace

Result<void> paint_frame(Canvas& canvas, TextService& text, std::int32_t x, std::int32_t y,
                         const Frame& frame, const Layout& layout, const Damage& damage) {
    const TextContext ctx{canvas, text, layout.scale};
    for (const PixelRect& area : damaged_areas(damage, layout.width, layout.height)) {
        if (Result<void> begun = canvas.begin_surface(layout.width, layout.height, area); !begun)
            return begun;
        for (const Block& block : layout.blocks) {
            // Nothing to draw at no opacity; a NaN opacity counts as none too.
            if (!(block.alpha > 0)) continue;
            // Each block stays inside its extent, so what it draws never reaches a part it was not repainted
            // for.
            const PixelRect extent = block_extent(block, layout);
            if (intersection(extent, area).empty()) continue;
            canvas.push_clip(extent);
            // A slide that is not a number would move the block to nowhere: it is drawn where it stands.
            double dx = static_cast<double>(block.x) + block.slide;
            if (!std::isfinite(dx)) dx = block.x;
            canvas.set_transform(dx, block.y);
            const bool layered = block.alpha < 1;
            if (layered) canvas.push_layer(block.alpha);
            paint_block(ctx, frame, layout, block);
            if (layered) canvas.pop_layer();
            canvas.pop_clip();
        }
        canvas.set_transform(0, 0);
        if (Result<void> shown = canvas.present_surface(x, y, layout.width, layout.height, area); !shown) {
            return shown;
        }
    }
    return {};
}

}  // namespace tolmin
