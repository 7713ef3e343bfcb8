#include "windows/overlay_handle.hpp"

#include <atomic>

namespace tolmin::win {

namespace {

std::atomic<HWND> stored_handle{nullptr};

}  // namespace

void set_overlay_handle(HWND handle) {
    HWND expected = nullptr;
    (void)stored_handle.compare_exchange_strong(expected, handle);
}

HWND overlay_handle() { return stored_handle.load(); }

FrameSlot& process_frame_slot() {
    static FrameSlot* const slot = new FrameSlot;
    return *slot;
}

void WindowFramePoster::post(std::uintptr_t wparam) {
    HWND handle = overlay_handle();
    if (handle == nullptr) return;
    (void)PostMessageW(handle, WM_FRAME, static_cast<WPARAM>(wparam), 0);
}

}  // namespace tolmin::win
