#pragma once
// How the reader thread signals the overlay window: WM_FRAME messages posted to the window's handle, which
// the reader is given when it starts.

#include <windows.h>

#include "input/frame_slot.hpp"

namespace tolmin::win {

// Posts WM_FRAME to the window: FRAME_PENDING for a Frame in the slot (a failed post is ignored: the Frame
// is picked up at the next successful post) and INPUT_ENDED at the end (posted again while the window's
// message queue is full).
class WindowFramePoster final : public FramePoster {
public:
    explicit WindowFramePoster(HWND window) : window_(window) {}
    void frame_pending() override;
    void input_ended() override;

private:
    HWND window_;
};

}  // namespace tolmin::win
