#include "input/frame_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

using fakes::Post;
using fakes::RecordingOutput;
using fakes::RecordingPoster;
using fakes::ScriptedSource;
using Posts = std::vector<Post>;

struct ReaderRun {
    ScriptedSource source;
    RecordingOutput err;
    FrameSlot slot;
    RecordingPoster poster;

    void go() {
        FrameReader reader(source, err, slot, poster);
        reader.run();
    }
};

// A frame line of exactly `total` bytes, line feed included: {"offset":N} padded with spaces.
std::string padded_frame(std::size_t total, int offset) {
    std::string line = "{\"offset\":" + std::to_string(offset) + "}";
    line.append(total - 1 - line.size(), ' ');
    line += '\n';
    return line;
}

TEST(FrameReader, EmptyInputOnlyEndsTheInput) {
    ReaderRun run;
    run.go();
    EXPECT_EQ(run.poster.posts, (Posts{Post::InputEnded}));
    EXPECT_TRUE(run.err.writes.empty());
    EXPECT_EQ(run.slot.take(), nullptr);
}

TEST(FrameReader, BlankLinesDoNothing) {
    ReaderRun run;
    run.source.data("\n   \n\t\r\n\xC2\xA0\xE3\x80\x80\n");
    run.go();
    EXPECT_EQ(run.poster.posts, (Posts{Post::InputEnded}));
    EXPECT_TRUE(run.err.writes.empty());
    EXPECT_EQ(run.slot.take(), nullptr);
}

TEST(FrameReader, TheNewestOfTwoFramesWaitsInTheSlotAndEachIsPosted) {
    ReaderRun run;
    run.source.data("{\"offset\":1}\n{\"offset\":2}\r\n");
    run.go();
    EXPECT_EQ(run.poster.posts, (Posts{Post::FramePending, Post::FramePending, Post::InputEnded}));
    EXPECT_TRUE(run.err.writes.empty());
    auto frame = run.slot.take();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->offset, 2.0);
    EXPECT_EQ(run.slot.take(), nullptr);
}

TEST(FrameReader, ARejectedLineIsReportedAndLeavesTheSlotAlone) {
    ReaderRun run;
    run.source.data("{\"offset\":7}\n{\"v\":2}\n{\"v\":1} {\"v\":1}\n");
    run.go();
    EXPECT_EQ(run.err.writes, (std::vector<std::string>{
                                  "tolmin-overlay: render model v2 (this helper draws v1)\n",
                                  "tolmin-overlay: trailing characters at line 1 column 9\n",
                              }));
    EXPECT_EQ(run.poster.posts, (Posts{Post::FramePending, Post::InputEnded}));
    auto frame = run.slot.take();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->offset, 7.0);
}

TEST(FrameReader, LineLimitsAreExact) {
    ReaderRun run;
    run.source.data(padded_frame(MAX_LINE_BYTES, 1));      // 1,048,575 bytes + LF: a frame
    run.source.data(padded_frame(MAX_LINE_BYTES + 1, 2));  // 1,048,576 bytes + LF: discarded
    run.source.data("{\"offset\":3}\n");
    run.go();
    EXPECT_EQ(run.err.writes,
              (std::vector<std::string>{"tolmin-overlay: a line over 1 MiB is not a frame; discarded\n"}));
    EXPECT_EQ(run.poster.posts, (Posts{Post::FramePending, Post::FramePending, Post::InputEnded}));
    EXPECT_EQ(run.slot.take()->offset, 3.0);
}

TEST(FrameReader, InvalidUtf8BecomesReplacementCharactersBeforeParsing) {
    ReaderRun run;
    run.source.data(
        "{\"hud\":{\"state\":\"a\xFF\xC0"
        "b\",\"elapsed\":\"\xED\xA0\x80\"}}\n");
    run.go();
    EXPECT_TRUE(run.err.writes.empty()) << run.err.all();
    auto frame = run.slot.take();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->hud.has_value());
    EXPECT_EQ(frame->hud->state,
              "a\xEF\xBF\xBD\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(frame->hud->elapsed, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(FrameReader, AReadFailureIsReportedAndEndsTheInput) {
    ReaderRun run;
    run.source.data("{\"offset\":5}\n{\"off").failed("Broken pipe (os error 32)").data("{}\n");
    run.go();
    EXPECT_EQ(run.err.writes,
              (std::vector<std::string>{"tolmin-overlay: cannot read stdin: Broken pipe (os error 32)\n"}));
    EXPECT_EQ(run.poster.posts, (Posts{Post::FramePending, Post::InputEnded}));
    EXPECT_EQ(run.slot.take()->offset, 5.0);
}

TEST(FrameReader, AFailureWhileSkippingIsSilent) {
    ReaderRun run;
    run.source.data(std::string(MAX_LINE_BYTES + 3, 'x')).failed("Input/output error (os error 5)");
    run.source.data("{\"offset\":6}\n");
    run.go();
    EXPECT_EQ(run.err.all(), "tolmin-overlay: a line over 1 MiB is not a frame; discarded\n");
    EXPECT_EQ(run.poster.posts, (Posts{Post::FramePending, Post::InputEnded}));
    EXPECT_EQ(run.slot.take()->offset, 6.0);
}

// A consumer that takes the Frame out of the slot when a post arrives, as the window thread does. Were the
// post made while the slot's lock is held, taking would deadlock here.
class TakingPoster final : public FramePoster {
public:
    explicit TakingPoster(FrameSlot& slot) : slot_(slot) {}
    void frame_pending() override {
        auto frame = slot_.take();
        taken.push_back(frame ? frame->offset : -1.0);
    }
    void input_ended() override { ended = true; }
    std::vector<double> taken;
    bool ended = false;

private:
    FrameSlot& slot_;
};

TEST(FrameReader, EachPostFindsItsFrameInTheSlot) {
    ScriptedSource source;
    source.data("{\"offset\":1}\n\n{\"offset\":2}\nnot json\n{\"offset\":3}\n");
    RecordingOutput err;
    FrameSlot slot;
    TakingPoster poster(slot);
    FrameReader(source, err, slot, poster).run();
    EXPECT_EQ(poster.taken, (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(poster.ended);
    EXPECT_EQ(err.writes.size(), 1u);
}

}  // namespace
}  // namespace tolmin
