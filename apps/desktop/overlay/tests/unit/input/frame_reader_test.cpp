// The line reader and the frame reader over scripted reads (tests/data/tables/input.tsv), and the order of
// a post and its frame in the slot.

#include "input/frame_reader.hpp"

#include <gtest/gtest.h>

#include "unit/input/scripted_source.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

using fakes::ScriptedSource;

std::vector<std::string> split(const std::string& cell) {
    std::vector<std::string> parts;
    for (std::size_t from = 0, bar = 0; bar != std::string::npos && !cell.empty(); from = bar + 3) {
        bar = cell.find(" | ", from);
        parts.push_back(cell.substr(from, bar == std::string::npos ? bar : bar - from));
    }
    return parts;
}

// A bytes cell with \n, \r, \t and <C*N> besides the table's own escapes.
std::string expand(const std::string& cell) {
    std::string out, plain;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const std::size_t at = std::string("nrt").find(cell[i + 1]);
        if (cell[i] == '<') {
            const std::size_t star = cell.find('*', i), end = cell.find('>', star);
            out += test::bytes(plain);
            plain.clear();
            const std::string unit = test::bytes(cell.substr(i + 1, star - i - 1));
            for (auto n = std::stoul(cell.substr(star + 1, end - star - 1)); n > 0; --n) out += unit;
            i = end;
        } else if (cell[i] == '\\' && at != std::string::npos) {
            plain += std::string("\\x0") + "AD9"[at];
            ++i;
        } else {
            plain += cell[i];
        }
    }
    return out + test::bytes(plain);
}

void play(ScriptedSource& source, const std::string& script) {
    for (const auto& step : split(script)) {
        if (step == "!i")
            source.interrupted();
        else if (step.rfind("!f:", 0) == 0)
            source.failed(step.substr(3));
        else
            source.data(expand(step));
    }
}

TEST(FrameInput, EveryRow) {
    for (const auto& row : test::read_table("input.tsv")) {
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
            for (const auto& part : split(row[2]))
                want.push_back(part.rfind("fail:", 0) == 0 ? part : expand(part));
            EXPECT_EQ(seen, want) << row.where();
            EXPECT_EQ(reader.next().kind, LineReader::Line::Kind::End) << row.where();
            EXPECT_LE(source.reads_past_script, 1u) << row.where();  // the end, once seen, is not read again
        } else {
            fakes::RecordingOutput err;
            FrameSlot slot;
            fakes::RecordingPoster poster;
            FrameReader(source, err, slot, poster).run();
            std::string want_err;
            for (const auto& text : split(row[2] == "-" ? "" : row[2]))
                want_err += "tolmin-overlay: " + text + "\n";
            EXPECT_EQ(err.all(), want_err) << row.where();
            std::string posts;
            for (const auto post : poster.posts) posts += post == fakes::Post::FramePending ? 'P' : 'E';
            EXPECT_EQ(posts, row[3]) << row.where();
            const auto frame = slot.take();
            EXPECT_EQ(frame ? std::to_string(int(frame->offset)) : "-", row[4]) << row.where();
        }
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

TEST(FrameInput, EachPostFindsItsFrameInTheSlot) {
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
