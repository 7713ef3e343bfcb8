#include "paint/damage.hpp"

#include <cmath>
#include <cstdint>
#include <tuple>

namespace tolmin {
namespace {

// Only what the painters read: ids and a toast's times (which act through alpha and slide) are left out.
bool same_look(const Hud& a, const Hud& b) {
    return std::tie(a.dot, a.state, a.state_color, a.elapsed, a.presence) ==
           std::tie(b.dot, b.state, b.state_color, b.elapsed, b.presence);
}
bool same_look(const Night& a, const Night& b) {
    return std::tie(a.tag, a.title) == std::tie(b.tag, b.title);
}
bool same_look(const Alert& a, const Alert& b) {
    return std::tie(a.bar, a.title, a.title_color, a.detail, a.detail_color) ==
           std::tie(b.bar, b.title, b.title_color, b.detail, b.detail_color);
}
bool same_look(const Toast& a, const Toast& b) {
    return std::tie(a.kind, a.tick, a.title, a.title_color, a.count, a.time, a.time_color, a.detail,
                    a.detail_color, a.index) == std::tie(b.kind, b.tick, b.title, b.title_color, b.count,
                                                         b.time, b.time_color, b.detail, b.detail_color,
                                                         b.index);
}
bool same_look(std::monostate, std::monostate) {
    return true;
}

bool same_content(const BlockContent& a, const BlockContent& b) {
    if (a.index() != b.index()) return false;
    return std::visit(
        [&b](const auto& first) { return same_look(first, std::get<std::decay_t<decltype(first)>>(b)); }, a);
}

// A NaN alpha or slide never compares equal, so such a block is always repainted.
bool same_block(const ShownBlock& a, const ShownBlock& b) {
    return a.extent == b.extent && a.block.x == b.block.x && a.block.y == b.block.y &&
           a.block.w == b.block.w && a.block.h == b.block.h && a.block.alpha == b.block.alpha &&
           a.block.slide == b.block.slide && same_content(a.content, b.content);
}

const ShownBlock* find_kind(const std::vector<ShownBlock>& blocks, const BlockKind& kind) {
    for (const ShownBlock& block : blocks) {
        if (block.block.kind == kind) return &block;
    }
    return nullptr;
}

// Merges parts while there are too many, or while two of them cost hardly more together (their bounding box
// at most a quarter larger than both): the pair whose bounding box grows least goes first.
void merge_parts(std::vector<PixelRect>& parts) {
    while (parts.size() > 1) {
        std::size_t best_i = 0, best_j = 1;
        std::int64_t best_growth = INT64_MAX;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            for (std::size_t j = i + 1; j < parts.size(); ++j) {
                const std::int64_t growth =
                    bounding(parts[i], parts[j]).area() - parts[i].area() - parts[j].area();
                if (growth < best_growth) {
                    best_growth = growth;
                    best_i = i;
                    best_j = j;
                }
            }
        }
        const std::int64_t together = parts[best_i].area() + parts[best_j].area();
        if (parts.size() <= MAX_DAMAGE_PARTS && best_growth * 4 > together) return;
        parts[best_i] = bounding(parts[best_i], parts[best_j]);
        parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(best_j));
    }
}

void add_part(std::vector<PixelRect>& parts, const PixelRect& part) {
    if (!part.empty()) parts.push_back(part);
}

}  // namespace

PixelRect block_extent(const Block& block, const Layout& layout) {
    // Where the painter draws it: a slide that is not a number leaves the block where it stands.
    double left = static_cast<double>(block.x) + block.slide;
    if (!std::isfinite(left)) left = block.x;
    const double right = left + block.w;
    // In doubles first: edges far outside the window are cut before they are made integers.
    const double width = layout.width;
    const double height = layout.height;
    const auto cut = [](double value, double limit) {
        return static_cast<std::int32_t>(value < 0 ? 0 : value > limit ? limit : value);
    };
    const std::int32_t x0 = cut(std::floor(left), width);
    const std::int32_t x1 = cut(std::ceil(right), width);
    const std::int32_t y0 = cut(block.y, height);
    const std::int32_t y1 = cut(static_cast<double>(block.y) + block.h, height);
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

ShownPicture shown_picture(const Frame& frame, const Layout& layout, const Monitor& monitor,
                           const Placement& window) {
    ShownPicture shown{window, monitor, layout.scale, layout.stroke, {}};
    shown.blocks.reserve(layout.blocks.size());
    for (const Block& block : layout.blocks) {
        ShownBlock entry{block, block_extent(block, layout), std::monostate{}};
        const std::size_t i = block.kind.index;
        switch (block.kind.type) {
            case BlockKind::Type::Hud:
                if (frame.hud) entry.content = *frame.hud;
                break;
            case BlockKind::Type::Night:
                if (frame.night) entry.content = *frame.night;
                break;
            case BlockKind::Type::Alert:
                if (i < frame.alerts.size()) entry.content = frame.alerts[i];
                break;
            case BlockKind::Type::Toast:
                if (i < frame.toasts.size()) entry.content = frame.toasts[i];
                break;
        }
        shown.blocks.push_back(std::move(entry));
    }
    return shown;
}

Damage damage_between(const std::optional<ShownPicture>& shown, const ShownPicture& next) {
    if (!shown) return Damage::all();
    const ShownPicture& last = *shown;
    const Monitor& a = last.monitor;
    const Monitor& b = next.monitor;
    const bool same_monitor = a.name == b.name && a.x == b.x && a.y == b.y && a.width == b.width &&
                              a.height == b.height && a.dpi == b.dpi && a.primary == b.primary;
    if (last.window != next.window || !same_monitor || last.scale != next.scale ||
        last.stroke != next.stroke) {
        return Damage::all();
    }
    Damage damage;
    // A block that is gone, new or changed damages where it was and where it is.
    for (const ShownBlock& old_block : last.blocks) {
        const ShownBlock* now = find_kind(next.blocks, old_block.block.kind);
        if (now == nullptr || !same_block(old_block, *now)) add_part(damage.parts, old_block.extent);
    }
    for (const ShownBlock& new_block : next.blocks) {
        const ShownBlock* before = find_kind(last.blocks, new_block.block.kind);
        if (before == nullptr || !same_block(*before, new_block)) add_part(damage.parts, new_block.extent);
    }
    merge_parts(damage.parts);
    return damage;
}

std::vector<PixelRect> damaged_areas(const Damage& damage, std::int32_t width, std::int32_t height) {
    const PixelRect window{0, 0, width, height};
    if (damage.whole) return {window};
    std::vector<PixelRect> areas;
    for (const PixelRect& part : damage.parts) add_part(areas, intersection(part, window));
    return areas;
}

}  // namespace tolmin
