#include "windows/overlay_handle.hpp"

#include <atomic>

#include "windows/overlay_messages.hpp"

namespace tolmin::win {

namespace {

std::atomic<HWND> stored_handle{nullptr};

constexpr DWORD QUEUE_FULL_RETRY_MS = 10;

}  // namespace

void set_overlay_handle(HWND handle) {
    HWND expected = nullptr;
    (void)stored_handle.compare_exchange_strong(expected, handle);
}

HWND overlay_handle() {
    return stored_handle.load();
}

FrameSlot& process_frame_slot() {
    static FrameSlot* const slot = new FrameSlot;
    return *slot;
}

void WindowFramePoster::frame_pending() {
    // A refused post costs nothing: the Frame waits in the slot and one of the many messages that fill the
    // queue takes it.
    if (HWND handle = overlay_handle()) (void)PostMessageW(handle, WM_FRAME, FRAME_PENDING, 0);
}

void WindowFramePoster::input_ended() {
    HWND handle = overlay_handle();
    if (handle == nullptr) return;
    if (PostMessageW(handle, WM_FRAME, INPUT_ENDED, 0)) return;
    // A lost end would keep the overlay alive after its input is gone, so while the queue is full (a host
    // that wrote thousands of frames at once) it is posted again as soon as the window thread has made room.
    // Any other failure is given up.
    while (GetLastError() == ERROR_NOT_ENOUGH_QUOTA) {
        Sleep(QUEUE_FULL_RETRY_MS);
        if (PostMessageW(handle, WM_FRAME, INPUT_ENDED, 0)) return;
    }
}

}  // namespace tolmin::win
