// The line reader and the frame reader over scripted reads (tests/data/tables/input.tsv), and the order of
// a post and its frame in the slot.

#include "input/frame_reader.hpp"

#include <gtest/gtest.h>

#include "unit/input/scripted_source.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

using fakes::ScriptedSource;

void play(ScriptedSource& source, const std::string& script) {
    for (const auto& step : test::split(script, " | ")) {
        if (step == "!i")
            source.interrupted();
        else if (step.rfind("!f:", 0) == 0)
            source.failed(step.substr(3));
        else
            source.data(test::bytes(step));
    }
}

TOLMIN_TABLE(FrameInput, "tables/input.tsv", 2);

TEST_P(FrameInput, Script) {
    const test::Row& row = GetParam();
    ScriptedSource source;
    play(source, row[1]);
    if (row[0] == "lines") {
        LineReader reader(source);
        std::vector<std::string> seen;
        for (bool ended = false; !ended && seen.size() < 100;) {
            const LineReader::Line line = reader.next();
            ended = line.kind == LineReader::Line::Kind::End;
            seen.push_back(ended                                          ? "end"
                           : line.kind == LineReader::Line::Kind::TooLong ? "long"
                           : line.kind == LineReader::Line::Kind::Failed  ? "fail:" + line.error
                                                                          : line.text);
        }
        std::vector<std::string> want;
        for (const auto& part : test::split(row[2], " | "))
            want.push_back(part.rfind("fail:", 0) == 0 ? part : test::bytes(part));
        EXPECT_EQ(seen, want);
        EXPECT_EQ(reader.next().kind, LineReader::Line::Kind::End);
        EXPECT_LE(source.reads_past_script, 1u);  // the end, once seen, is not read again
    } else {
        fakes::RecordingOutput err;
        FrameSlot slot;
        fakes::RecordingPoster poster;
        FrameReader(source, err, slot, poster).run();
        std::string want_err, posts;
        for (const auto& text : test::split(row[2] == "-" ? "" : row[2], " | "))
            want_err += "tolmin-overlay: " + text + "\n";
        EXPECT_EQ(err.all(), want_err);
        for (const auto post : poster.posts)
            posts += post == fakes::Post::FramePending ? " pending" : " ended";
        EXPECT_EQ(posts, " " + row[3]);
        const auto frame = slot.take();
        EXPECT_EQ(frame ? std::to_string(int(frame->offset)) : "-", row[4]);
    }
}

// Takes the Frame out of the slot when a post arrives, as the window thread does; were the post made while
// the slot's lock is held, taking would deadlock here.
struct TakingPoster final : FramePoster {
    explicit TakingPoster(FrameSlot& s) : slot(s) {}
    void frame_pending() override {
        const auto frame = slot.take();
        taken.push_back(frame ? frame->offset : -1.0);
    }
    void input_ended() override { taken.push_back(-1.0); }
    FrameSlot& slot;
    std::vector<double> taken;
};

TEST(FrameReader, EachPostFindsItsFrameInTheSlot) {
    ScriptedSource source;
    source.data("{\"offset\":1}\n\n{\"offset\":2}\nnot json\n{\"offset\":3}\n");
    fakes::RecordingOutput err;
    FrameSlot slot;
    TakingPoster poster(slot);
    FrameReader(source, err, slot, poster).run();
    EXPECT_EQ(poster.taken, (std::vector<double>{1, 2, 3, -1}));
}

}  // namespace
}  // namespace tolmin
