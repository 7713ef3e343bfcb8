#include "input/frame_slot.hpp"

#include <utility>

namespace tolmin {

void FrameSlot::put(std::unique_ptr<Frame> frame) {
    std::unique_ptr<Frame> older;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        older = std::exchange(frame_, std::move(frame));
    }
    // The Frame that was never taken is freed here, after the unlock.
}

std::unique_ptr<Frame> FrameSlot::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::move(frame_);
}

}  // namespace tolmin
