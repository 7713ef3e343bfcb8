#pragma once
// The hand-over between the reader thread and the window thread: one slot holding at most one Frame
// (newest wins), guarded by a mutex that is held only while a Frame is put in or taken out.

#include <memory>
#include <mutex>

#include "model/frame.hpp"

namespace tolmin {

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

// How the reader tells the window thread what happened; the platform side turns each call into a message.
class FramePoster {
public:
    virtual ~FramePoster() = default;
    // A Frame was put into the slot (called after the slot's unlock).
    virtual void frame_pending() = 0;
    // The input ended or failed: no Frame follows.
    virtual void input_ended() = 0;
};

}  // namespace tolmin
