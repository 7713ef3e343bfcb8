#pragma once
// A Layout as JSON, its fields in declaration order, each block as {"kind","index","alpha","slide","x","y",
// "w","h"} (index null for the Hud and the Night); and the next repaint as the overlay's timer sees it.

#include "frame/report_writer.hpp"
#include "layout/layout.hpp"
#include "layout/repaint.hpp"
#include "paint/damage.hpp"

namespace tolmin {

const char* block_type_name(BlockKind::Type type);  // "hud", "night", "alert", "toast"

void write_block(JsonWriter& json, const Block& block);
void write_layout(JsonWriter& json, const Layout& layout);

// "now" (the 16 ms animation timer), {"at":T,"wait_ms":W} (the timer's wait from `now_ms`), or null (no
// timer).
void write_next_repaint(JsonWriter& json, const NextRepaint& next, double now_ms);

// "all", or the damaged parts as [[x,y,w,h],...] ([] for none).
void write_damage(JsonWriter& json, const Damage& damage);

}  // namespace tolmin
