#include "windows/window_frame_poster.hpp"

#include "windows/overlay_messages.hpp"

namespace tolmin::win {
namespace {

constexpr DWORD QUEUE_FULL_RETRY_MS = 10;

}  // namespace

void WindowFramePoster::frame_pending() {
    // A refused post costs nothing: the Frame waits in the slot and one of the many messages that fill the
    // queue takes it.
    (void)PostMessageW(window_, WM_FRAME, FRAME_PENDING, 0);
}

void WindowFramePoster::input_ended() {
    if (PostMessageW(window_, WM_FRAME, INPUT_ENDED, 0)) return;
    // A lost end would keep the overlay alive after its input is gone, so while the queue is full (a host
    // that wrote thousands of frames at once) it is posted again as soon as the window thread has made room.
    // Any other failure is given up.
    while (GetLastError() == ERROR_NOT_ENOUGH_QUOTA) {
        Sleep(QUEUE_FULL_RETRY_MS);
        if (PostMessageW(window_, WM_FRAME, INPUT_ENDED, 0)) return;
    }
}

}  // namespace tolmin::win
