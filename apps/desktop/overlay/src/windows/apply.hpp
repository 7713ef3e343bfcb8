#pragma once
// The window thread's state and the one operation that turns the current Frame into pixels (the core's frame
// application on the Win32 window, its Direct2D drawing and its WM_TIMER repaint timer).

#include <memory>

#include "base/repeat_folder.hpp"
#include "input/frame_slot.hpp"
#include "paint/frame_application.hpp"
#include "windows/graphics.hpp"
#include "windows/overlay_window.hpp"

namespace tolmin::win {

// The one timer of the program; it carries no procedure, so it arrives as WM_TIMER in the message loop.
inline constexpr UINT_PTR REPAINT_TIMER_ID = 1;

// The current Frame, the monitors (listed afresh at every application) and the picture shown, with the window
// and its drawing.
struct Overlay : OverlayState {
    OverlayWindow window;
    std::unique_ptr<Graphics> graphics;
    // Where the reader thread leaves the newest Frame; shared with that thread, which may outlive this state.
    std::shared_ptr<FrameSlot> frames = std::make_shared<FrameSlot>();
};

// Draws the current Frame as of now. A drawing failure is reported through `reports`, which folds the
// repeats of a failure that comes at every tick, and survived.
void apply(Overlay& overlay, RepeatFolder& reports);
// The same at the wall-clock time `now` (milliseconds since 1970), for callers that hold the clock still.
void apply_at(Overlay& overlay, double now, RepeatFolder& reports);

}  // namespace tolmin::win
