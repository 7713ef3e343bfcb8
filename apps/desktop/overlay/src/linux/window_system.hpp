#pragma once
// What a Linux window backend (X11, Wayland) gives the shared overlay loop: the display's descriptor and its
// events, the monitors, and the overlay window's placement and picture. The decisions (which monitor, what
// size, where, when to repaint) are the core's; a backend only carries them out.

#include <functional>
#include <string>
#include <vector>

#include "layout/frame_plan.hpp"
#include "layout/monitor.hpp"
#include "paint/canvas.hpp"

namespace tolmin::desktop {

struct DisplayEvents {
    bool lost = false;     // the connection to the display is gone
    bool changed = false;  // monitors, DPI or compositing changed: read the monitors and paint again, whole
    std::vector<std::string> failures;  // pictures the display refused (diagnostics without prefix)
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The descriptor to wait on for the display's events.
    virtual int fd() const = 0;
    // Handles every event that has arrived, without waiting (a repaint of an exposed part, keeping the
    // window on top, a failed drawing request reported).
    virtual DisplayEvents dispatch() = 0;
    // Sends the requests made so far; false when the connection is gone.
    virtual bool flush() = 0;
    // True while requests wait for room in a full socket: the descriptor is then also waited on for writing.
    virtual bool wants_write() const { return false; }
    // The diagnostic (without prefix) for a lost connection.
    virtual std::string lost_text() const = 0;

    // The monitors, read afresh.
    virtual std::vector<Monitor> monitors() = 0;
    // Moves and sizes the window to the plan's placement (only when it changed) on the plan's monitor, one of
    // the list monitors() last returned, and shows it. False when the window holds nothing of the picture it
    // showed (a surface made anew): the next picture is then painted whole.
    virtual bool place(const FramePlan& plan) = 0;
    // Hides the window, and forgets its rectangle.
    virtual void hide() = 0;
    // Runs `paint` on the window's canvas; what it presents reaches the placed window.
    virtual Result<void> draw(const std::function<Result<void>(Canvas&)>& paint) = 0;
    // Puts the window back above every other.
    virtual void keep_on_top() = 0;
};

}  // namespace tolmin::desktop
