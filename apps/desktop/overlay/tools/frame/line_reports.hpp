#pragma once
// The frame checker's report of one input line, as one line of compact JSON without its line feed. N is the
// 1-based number of the line in the input.
//   rejected or over-long:  {"line":N,"error":TEXT}  (TEXT as the overlay writes it after its prefix)
//   check:                  {"line":N,"frame":FRAME}
//   layout: {"line":N,"monitor":I,"scale":S,"layout":L,"window":{"x":X,"y":Y},"next_repaint":R,"damage":D}
//   paint:  {"line":N,"ops":[...]}
// Layout and paint go the overlay's way: select the monitor, scale, lay out, place the window, paint. A
// layout without blocks hides the overlay: window and next_repaint are null and there are no ops. Without
// any monitor the overlay hides before laying out: monitor, scale, layout, window and next_repaint are null.
// D is what the overlay repaints when it shows the frame after the one it showed last (`shown`, which the
// report then replaces): "all", or the parts [[x,y,w,h],...] of the window ([] when nothing changes); null
// when the overlay hides. A paint report is the full paint of its frame.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.hpp"
#include "layout/monitor.hpp"
#include "model/frame.hpp"
#include "paint/canvas.hpp"
#include "paint/damage.hpp"

namespace tolmin {

std::string error_report(std::size_t line, std::string_view text);
std::string check_report(std::size_t line, const Frame& frame);
std::string layout_report(std::size_t line, const Frame& frame, const std::vector<Monitor>& monitors,
                          double now_ms, TextService& text, std::optional<ShownPicture>& shown);
std::string paint_report(std::size_t line, const Frame& frame, const std::vector<Monitor>& monitors,
                         double now_ms, TextService& text);

}  // namespace tolmin
