#pragma once
// Which pixels of the window a new picture changes. The overlay keeps what it last painted (the window's
// rectangle, the monitor, the scale and every block with the model entry it drew); a new plan then damages
// only the blocks that differ, at their old and their new places, and the painter repaints and presents just
// those parts. A moved or resized window, another monitor or scale, and a picture that was never painted or
// was lost damage the whole window.

#include <optional>
#include <variant>
#include <vector>

#include "layout/layout.hpp"
#include "layout/monitor.hpp"
#include "layout/placement.hpp"
#include "model/frame.hpp"
#include "paint/pixel_rect.hpp"

namespace tolmin {

// The pixels a block may draw on: its rectangle moved by its slide as the painter draws it, widened to whole
// pixels and cut to the window. The painter clips the block to it.
PixelRect block_extent(const Block& block, const Layout& layout);

// The model entry a block drew (none when the Frame had no entry for it).
using BlockContent = std::variant<std::monostate, Hud, Night, Alert, Toast>;

struct ShownBlock {
    Block block;
    PixelRect extent;
    BlockContent content;
};

// What a painted window shows.
struct ShownPicture {
    Placement window;
    Monitor monitor;
    double scale = 1.0;
    double stroke = 1.0;
    std::vector<ShownBlock> blocks;
};

// The picture that painting `layout` of `frame` at `window` on `monitor` shows.
ShownPicture shown_picture(const Frame& frame, const Layout& layout, const Monitor& monitor,
                           const Placement& window);

struct Damage {
    bool whole = false;            // the whole window
    std::vector<PixelRect> parts;  // otherwise these parts of it; none: nothing changes

    bool none() const { return !whole && parts.empty(); }
    static Damage all() { return Damage{true, {}}; }
};

// At most this many parts: more are merged into fewer, larger ones.
inline constexpr std::size_t MAX_DAMAGE_PARTS = 4;

// What painting `next` changes on a window that shows `shown`; everything when nothing is shown (the first
// paint, a hidden window, a failed or lost picture).
Damage damage_between(const std::optional<ShownPicture>& shown, const ShownPicture& next);

// The rectangles a paint with `damage` draws and presents in a width x height window.
std::vector<PixelRect> damaged_areas(const Damage& damage, std::int32_t width, std::int32_t height);

}  // namespace tolmin
