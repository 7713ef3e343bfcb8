#pragma once
// The one operation that turns the current Frame into pixels, the same on every platform: cancel the pending
// repaint, plan the frame, hide or place the window, work out what changed since the picture on screen, paint
// just that, report a failure, keep the window on top and arm the repaint for the next toast change. The
// window's platform side is a FrameWindow.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/repeat_folder.hpp"
#include "base/result.hpp"
#include "layout/frame_plan.hpp"
#include "layout/monitor.hpp"
#include "model/frame.hpp"
#include "paint/canvas.hpp"
#include "paint/damage.hpp"

namespace tolmin {

inline constexpr std::string_view DEVICE_LOST_TEXT = "the graphics device was lost; drawing again";

// What a platform's overlay window does when a frame is applied.
class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    // Arms the one repaint timer to fire once after `wait_ms`; none cancels it.
    virtual void arm_repaint(std::optional<std::uint32_t> wait_ms) = 0;
    // Hides the window and forgets its rectangle.
    virtual void hide() = 0;
    // Moves and sizes the window to the plan's rectangle on `monitor` (the plan's) and shows it. False when
    // the window no longer holds the picture it showed (a surface made anew), so that it is painted whole.
    virtual bool place(const FramePlan& plan, const Monitor& monitor) = 0;
    // Runs `paint` on the window's canvas; its presents reach the screen.
    virtual Result<void> draw(const std::function<Result<void>(Canvas&)>& paint) = 0;
    // Puts the window back above every other.
    virtual void keep_on_top() = 0;
};

// What the window thread keeps from one application to the next.
struct OverlayState {
    std::unique_ptr<Frame> current;  // null until the first Frame arrives
    std::vector<Monitor> monitors;   // as the platform last listed them
    // What the window shows, so that the next application repaints only what changes; none while hidden,
    // after a failed paint and whenever the window's content is not known (a display change).
    std::optional<ShownPicture> shown;
};

// Applies the current Frame at the wall-clock time `now` (milliseconds since 1970) on the state's monitors.
// A drawing failure is reported through `reports`, which folds the repeats of one that comes at every tick;
// a device lost while drawing is reported and the picture drawn once more, whole, on the window's new one.
void apply_frame(OverlayState& state, double now, FrameWindow& window, TextService& text,
                 RepeatFolder& reports);

}  // namespace tolmin
