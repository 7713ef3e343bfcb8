#pragma once
// Test doubles around the frame reader: a ByteSource that plays a script of reads, an Output that keeps what
// was written, and a poster that keeps what was posted.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "base/output.hpp"
#include "input/byte_source.hpp"
#include "input/frame_slot.hpp"

namespace tolmin::fakes {

class ScriptedSource final : public ByteSource {
public:
    struct Step {
        ReadResult::Status status = ReadResult::Status::Data;
        std::string bytes;  // Data: handed out over as many reads as the reader's capacity needs
        std::string error;  // Failed
    };

    ScriptedSource& data(std::string bytes) {
        steps_.push_back({ReadResult::Status::Data, std::move(bytes), {}});
        return *this;
    }
    ScriptedSource& interrupted() {
        steps_.push_back({ReadResult::Status::Interrupted, {}, {}});
        return *this;
    }
    ScriptedSource& failed(std::string error) {
        steps_.push_back({ReadResult::Status::Failed, {}, std::move(error)});
        return *this;
    }
    ReadResult read(char* buffer, std::size_t capacity) override {
        ReadResult result;
        if (steps_.empty()) {
            ++reads_past_script;
            return result;  // End
        }
        Step& step = steps_.front();
        result.status = step.status;
        if (step.status == ReadResult::Status::Data) {
            const std::size_t n = std::min(capacity, step.bytes.size());
            std::memcpy(buffer, step.bytes.data(), n);
            result.count = n;
            step.bytes.erase(0, n);
            if (step.bytes.empty()) steps_.pop_front();
            return result;
        }
        result.error = step.error;
        steps_.pop_front();
        return result;
    }

    std::size_t reads_past_script = 0;

private:
    std::deque<Step> steps_;
};

class RecordingOutput final : public Output {
public:
    void write(std::string_view bytes) override { writes.emplace_back(bytes); }
    std::string all() const {
        std::string joined;
        for (const auto& w : writes) joined += w;
        return joined;
    }
    std::vector<std::string> writes;
};

enum class Post { FramePending, InputEnded };

class RecordingPoster final : public FramePoster {
public:
    void frame_pending() override { posts.push_back(Post::FramePending); }
    void input_ended() override { posts.push_back(Post::InputEnded); }
    std::vector<Post> posts;
};

}  // namespace tolmin::fakes
