#pragma once
// Paints a laid-out Frame through the drawing interface: each block moved, faded and drawn, then presented.

#include <cstdint>

#include "base/result.hpp"
#include "layout/layout.hpp"
#include "model/frame.hpp"
#include "paint/canvas.hpp"
#include "paint/damage.hpp"

namespace tolmin {

// x, y: the window's screen position. Each damaged area is drawn and presented in a pass of its own: begun
// (and cleared), every block that reaches into it drawn clipped to its extent, presented. No damage: nothing
// is drawn or presented. Fails only when the surface cannot be begun or presented (the first failure ends
// the paint).
Result<void> paint_frame(Canvas& canvas, TextService& text, std::int32_t x, std::int32_t y,
                         const Frame& frame, const Layout& layout, const Damage& damage = Damage::all());

}  // namespace tolmin
