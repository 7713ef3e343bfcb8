#pragma once
// Paints a laid-out Frame through the drawing interface: each block moved, faded and drawn, then presented.

#include <cstdint>

#include "base/result.hpp"
#include "layout/layout.hpp"
#include "model/frame.hpp"
#include "paint/canvas.hpp"

namespace tolmin {

// x, y: the window's screen position. Fails only when the surface cannot be begun or presented.
Result<void> paint_frame(Canvas& canvas, TextService& text, std::int32_t x, std::int32_t y,
                         const Frame& frame, const Layout& layout);

}  // namespace tolmin
