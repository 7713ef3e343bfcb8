#pragma once
// The Hud and Night blocks, each drawn in its own frame: (0, 0) is the block's top-left corner, w and h its
// size, a the stroke and s the scale.

#include "model/frame.hpp"
#include "paint/text_rules.hpp"

namespace tolmin {

// Panel, status dot, state, elapsed time and, when the Hud has a presence text (even an empty one), a
// separator and the presence. The texts are never trimmed: the layout made the block wide enough.
void paint_hud(const TextContext& ctx, double w, double h, double a, double s, const Hud& hud);

// Panel, the tag (when present and not empty, fitted to the block) and the title, trimmed to the room left.
void paint_night(const TextContext& ctx, double w, double h, double a, double s, const Night& night);

}  // namespace tolmin
