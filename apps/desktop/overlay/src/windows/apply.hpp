#pragma once
// The window thread's state and the one operation that turns the current Frame into pixels: choose the
// monitor, scale, lay out, place or hide, paint what changed since the picture shown, and arm the repaint
// timer for the next toast change.

#include <memory>
#include <vector>

#include "base/repeat_folder.hpp"
#include "input/frame_slot.hpp"
#include "layout/monitor.hpp"
#include "model/frame.hpp"
#include "paint/damage.hpp"
#include "windows/graphics.hpp"
#include "windows/overlay_window.hpp"

namespace tolmin::win {

// The one timer of the program; it carries no procedure, so it arrives as WM_TIMER in the message loop.
inline constexpr UINT_PTR REPAINT_TIMER_ID = 1;

struct Overlay {
    OverlayWindow window;
    std::unique_ptr<Graphics> graphics;
    // Where the reader thread leaves the newest Frame; shared with that thread, which may outlive this state.
    std::shared_ptr<FrameSlot> frames = std::make_shared<FrameSlot>();
    std::unique_ptr<Frame> current;  // null until the first Frame arrives
    std::vector<Monitor> monitors;   // replaced at every application
    // What the window shows, so that the next application repaints only what changes; none while hidden
    // and after a failed paint, so that the next one paints everything.
    std::optional<ShownPicture> shown;
};

// Draws the current Frame as of now. A drawing failure is reported through `reports`, which folds the
// repeats of a failure that comes at every tick, and survived.
void apply(Overlay& overlay, RepeatFolder& reports);
// The same at the wall-clock time `now` (milliseconds since 1970), for callers that hold the clock still.
void apply_at(Overlay& overlay, double now, RepeatFolder& reports);

}  // namespace tolmin::win
