#include "input/frame_slot.hpp"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "input/frame_reader.hpp"
#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

std::unique_ptr<Frame> frame_with_offset(double offset) {
    auto frame = std::make_unique<Frame>();
    frame->offset = offset;
    return frame;
}

TEST(FrameSlot, HoldsAtMostTheNewestFrame) {
    FrameSlot slot;
    EXPECT_EQ(slot.take(), nullptr);
    slot.put(frame_with_offset(1));
    slot.put(frame_with_offset(2));
    auto taken = slot.take();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->offset, 2.0);
    EXPECT_EQ(slot.take(), nullptr);
    slot.put(frame_with_offset(3));
    EXPECT_EQ(slot.take()->offset, 3.0);
}

// The window thread's side: posts arrive as messages in a queue; each frame_pending takes whatever the slot
// holds, input_ended ends the loop.
class QueuePoster final : public FramePoster {
public:
    void frame_pending() override { push(true); }
    void input_ended() override { push(false); }

    // True for a pending Frame, false for the end.
    bool wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return !queue_.empty(); });
        const bool pending = queue_.front();
        queue_.erase(queue_.begin());
        return pending;
    }

private:
    void push(bool pending) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(pending);
        }
        ready_.notify_one();
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<bool> queue_;
};

TEST(FrameSlot, AReaderThreadHandsFramesToAConsumer) {
    constexpr int FRAMES = 2000;
    fakes::ScriptedSource source;
    for (int i = 0; i < FRAMES; ++i) {
        source.data("{\"offset\":" + std::to_string(i) + ",\"hud\":{\"state\":\"LIVE\"}}\n");
    }
    fakes::RecordingOutput err;
    FrameSlot slot;
    QueuePoster poster;

    std::thread reader([&] { FrameReader(source, err, slot, poster).run(); });

    int pending_posts = 0;
    std::vector<double> taken;
    while (poster.wait()) {
        ++pending_posts;
        if (auto frame = slot.take()) taken.push_back(frame->offset);
    }
    reader.join();

    EXPECT_EQ(pending_posts, FRAMES);
    EXPECT_TRUE(err.writes.empty());
    // Frames may be coalesced, never reordered, and the last one is never lost: it was put before its post.
    ASSERT_FALSE(taken.empty());
    for (std::size_t i = 1; i < taken.size(); ++i) EXPECT_LT(taken[i - 1], taken[i]);
    EXPECT_EQ(taken.back(), FRAMES - 1);
    EXPECT_EQ(slot.take(), nullptr);
}

}  // namespace
}  // namespace tolmin
