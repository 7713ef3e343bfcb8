#pragma once
// The hand-over between the reader thread and the window thread: OverlayHandle, the process-wide cell holding
// the overlay window's handle (written once by the window thread before the reader starts), the process's
// FrameSlot, and the poster through which the reader signals the window.

#include <windows.h>

#include "input/frame_slot.hpp"

namespace tolmin::win {

// Stores the handle the first time; later calls change nothing.
void set_overlay_handle(HWND handle);
// The stored handle, or null while none is set.
HWND overlay_handle();

// The process's one FrameSlot. It is never destroyed: the detached reader thread may still be running while
// the process ends.
FrameSlot& process_frame_slot();

// Posts WM_FRAME to OverlayHandle while the handle is set: FRAME_PENDING for a Frame in the slot (a failed
// post is ignored: the Frame is picked up at the next successful post) and INPUT_ENDED at the end (posted
// again while the window's message queue is full).
class WindowFramePoster final : public FramePoster {
public:
    void frame_pending() override;
    void input_ended() override;
};

}  // namespace tolmin::win
