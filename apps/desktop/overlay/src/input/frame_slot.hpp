#pragma once
// The hand-over between the reader thread and the window thread: one slot holding at most one Frame
// (newest wins), guarded by a mutex that is held only while a Frame is put in or taken out.

#include <cstdint>
#include <memory>
#include <mutex>

#include "model/frame.hpp"

namespace tolmin {

// The one message the reader posts to the window (WM_APP + 1), and its wParam values.
inline constexpr std::uint32_t WM_FRAME = 0x8001;
inline constexpr std::uintptr_t FRAME_PENDING = 0;
inline constexpr std::uintptr_t INPUT_ENDED = 1;

class FrameSlot {
public:
    // Puts `frame` in; a Frame still in the slot (not yet taken) is discarded.
    void put(std::unique_ptr<Frame> frame);
    // Takes the Frame out, leaving the slot empty; null when it was empty.
    std::unique_ptr<Frame> take();

private:
    std::mutex mutex_;
    std::unique_ptr<Frame> frame_;
};

// Stands for PostMessageW(OverlayHandle, WM_FRAME, wparam, 0): posts only while the handle is set and
// ignores a failure.
class FramePoster {
public:
    virtual ~FramePoster() = default;
    virtual void post(std::uintptr_t wparam) = 0;
};

}  // namespace tolmin
