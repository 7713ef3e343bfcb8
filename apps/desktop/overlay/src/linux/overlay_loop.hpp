#pragma once
// The window thread of the Linux program: waits in poll() on the display, the reader's wake-up and the
// repaint timer (armed only while something is to change: no wake-up at all while idle), and applies the
// current Frame to the window system on each new Frame, each tick and each display change (the core's frame
// application: only what changed is painted and presented).

#include <cstdint>

#include "base/output.hpp"
#include "base/repeat_folder.hpp"
#include "linux/frame_channel.hpp"
#include "linux/wake_fds.hpp"
#include "linux/window_system.hpp"
#include "paint/canvas.hpp"

namespace tolmin::desktop {

// Runs until the input ends (0) or the connection to the display is lost (1, after one diagnostic). Drawing
// failures go through `reports`, whose held-back counts are written before the loop ends.
std::uint32_t run_overlay_loop(WindowSystem& system, TextService& text, FrameChannel& channel,
                               const RepaintTimer& timer, RepeatFolder& reports, Output& err);

}  // namespace tolmin::desktop
