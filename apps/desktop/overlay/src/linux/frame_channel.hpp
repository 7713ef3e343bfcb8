#pragma once
// The hand-over from the reader thread to the window thread: the one-frame slot, the wake-up that tells the
// window thread to look into it, and the mark that the input has ended. The reader thread never touches the
// display.

#include <atomic>
#include <memory>

#include "base/output.hpp"
#include "base/result.hpp"
#include "input/frame_slot.hpp"
#include "linux/wake_fds.hpp"

namespace tolmin::desktop {

class FrameChannel final : public FramePoster {
public:
    explicit FrameChannel(WakeUp wake) : wake_(std::move(wake)) {}

    void frame_pending() override { wake_.notify(); }
    void input_ended() override {
        ended_.store(true, std::memory_order_release);
        wake_.notify();
    }

    FrameSlot& slot() { return slot_; }
    int fd() const { return wake_.fd(); }
    void drain() const { wake_.drain(); }
    // True once the input has ended. Every Frame was put into the slot before this turned true, so a caller
    // that asks this first and takes the slot after misses none.
    bool ended() const { return ended_.load(std::memory_order_acquire); }

private:
    WakeUp wake_;
    FrameSlot slot_;
    std::atomic<bool> ended_{false};
};

// Starts the detached reader thread over standard input, with its diagnostics on `err`. It shares both, so
// they live as long as the thread, which may still be blocked in a read when the window thread is done.
Result<void> start_reader(const std::shared_ptr<FrameChannel>& channel, const std::shared_ptr<Output>& err);

}  // namespace tolmin::desktop
