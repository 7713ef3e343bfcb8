#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/frame_reader.hpp"
#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

using fakes::ScriptedSource;
using Kind = LineReader::Line::Kind;

// What a reader yields, until and including the first End.
struct Seen {
    Kind kind;
    std::string text;  // Text: the line; Failed: the error

    friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& seen, std::ostream* os) {
    static const char* const names[] = {"Text", "TooLong", "End", "Failed"};
    *os << names[static_cast<int>(seen.kind)] << "(" << seen.text.size() << " bytes";
    if (seen.text.size() < 80) *os << ": \"" << seen.text << "\"";
    *os << ")";
}

std::vector<Seen> read_all(ScriptedSource& source) {
    LineReader reader(source);
    std::vector<Seen> seen;
    for (int guard = 0; guard < 1000; ++guard) {
        LineReader::Line line = reader.next();
        seen.push_back({line.kind, line.kind == Kind::Failed ? line.error : line.text});
        if (line.kind == Kind::End) break;
    }
    return seen;
}

Seen text(std::string t) {
    return {Kind::Text, std::move(t)};
}
const Seen too_long{Kind::TooLong, ""};
const Seen end{Kind::End, ""};

TEST(LineReader, SplitsLinesWhateverTheReadsLookLike) {
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
        std::vector<Seen> expected;
    };
    const std::vector<Case> cases = {
        {"empty input", {}, {end}},
        {"one line", {"{}\n"}, {text("{}\n"), end}},
        {"several lines in one read",
         {"a\nb\n\nc\n"},
         {text("a\n"), text("b\n"), text("\n"), text("c\n"), end}},
        {"a line over many reads", {"{", "\"v\"", ":1", "}", "\n"}, {text("{\"v\":1}\n"), end}},
        {"a last line without line feed", {"a\nlast"}, {text("a\n"), text("last"), end}},
        {"CR LF kept for the parser to trim", {"{}\r\n"}, {text("{}\r\n"), end}},
        {"invalid UTF-8 repaired",
         {"a\xFF"
          "b\n"},
         {text("a\xEF\xBF\xBD"
               "b\n"),
          end}},
        {"a character split between reads is not broken",
         {"\xE2\x82", "\xAC\n"},
         {text("\xE2\x82\xAC\n"), end}},
        {"a truncated character at the end of input", {"x\xE2\x82"}, {text("x\xEF\xBF\xBD"), end}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSource source;
        for (const auto& chunk : c.chunks) source.data(chunk);
        EXPECT_EQ(read_all(source), c.expected);
    }
}

TEST(LineReader, LongestLineIsAcceptedAndOneByteMoreIsNot) {
    const std::string longest(MAX_LINE_BYTES - 1, 'x');
    {
        SCOPED_TRACE("1,048,575 bytes and a line feed");
        ScriptedSource source;
        source.data(longest + "\n").data("next\n");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{text(longest + "\n"), text("next\n"), end}));
    }
    {
        SCOPED_TRACE("1,048,576 bytes and a line feed");
        ScriptedSource source;
        source.data(longest + "x\n").data("next\n");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, text("next\n"), end}));
    }
    {
        SCOPED_TRACE("1,048,575 bytes at the end of input");
        ScriptedSource source;
        source.data(longest);
        EXPECT_EQ(read_all(source), (std::vector<Seen>{text(longest), end}));
    }
    {
        SCOPED_TRACE("1,048,576 bytes at the end of input");
        ScriptedSource source;
        source.data(longest + "x");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, end}));
    }
}

TEST(LineReader, OverLongLinesAreSkippedToTheirLineFeed) {
    {
        SCOPED_TRACE("a 2 MiB line, then a frame");
        ScriptedSource source;
        source.data("ok\n" + std::string(2 * MAX_LINE_BYTES, '{') + "\n{}\n");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{text("ok\n"), too_long, text("{}\n"), end}));
    }
    {
        SCOPED_TRACE("a 3 MiB line in 1000-byte reads");
        ScriptedSource source;
        const std::string line(3 * MAX_LINE_BYTES, 'z');
        for (std::size_t at = 0; at < line.size(); at += 1000) source.data(line.substr(at, 1000));
        source.data("\n{}\n");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, text("{}\n"), end}));
    }
    {
        SCOPED_TRACE("the line feed in the same read as the cap");
        ScriptedSource source;
        source.data(std::string(MAX_LINE_BYTES + 10, 'a') + "\nb\n");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, text("b\n"), end}));
    }
    {
        SCOPED_TRACE("two over-long lines in a row, one message each");
        ScriptedSource source;
        const std::string line(MAX_LINE_BYTES + 1, 'q');
        source.data(line + "\n" + line + "\n");
        EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, too_long, end}));
    }
}

TEST(LineReader, EndOfInputInsideASkippedLineIsTheEnd) {
    ScriptedSource source;
    source.data(std::string(MAX_LINE_BYTES + 5000, 'x'));
    EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, end}));
    // The end, once seen, is not asked for again.
    EXPECT_EQ(source.reads_past_script, 1u);
}

TEST(LineReader, AFailedReadWhileSkippingIsDroppedAndReadingGoesOn) {
    ScriptedSource source;
    source.data(std::string(MAX_LINE_BYTES, 'x')).data("more of it").failed("gone").data("{}\n");
    EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, text("{}\n"), end}));
}

TEST(LineReader, InterruptedReadsAreRetried) {
    ScriptedSource source;
    source.interrupted().data("{").interrupted().interrupted().data("}\n").interrupted();
    EXPECT_EQ(read_all(source), (std::vector<Seen>{text("{}\n"), end}));
}

TEST(LineReader, AFailedReadEndsTheInputAndDropsTheUnfinishedLine) {
    ScriptedSource source;
    source.data("a\n{\"v\"").failed("Input/output error (os error 5)").data("never read\n");
    LineReader reader(source);
    EXPECT_EQ(reader.next().text, "a\n");
    const LineReader::Line failed = reader.next();
    EXPECT_EQ(failed.kind, Kind::Failed);
    EXPECT_EQ(failed.error, "Input/output error (os error 5)");
    EXPECT_TRUE(failed.text.empty());
    const std::size_t reads = source.reads;
    EXPECT_EQ(reader.next().kind, Kind::End);
    EXPECT_EQ(reader.next().kind, Kind::End);
    EXPECT_EQ(source.reads, reads);
}

TEST(LineReader, ALargeLineIsAcceptedAfterAnOverLongOne) {
    // The buffer kept for long lines starts empty again for each line.
    const std::string big(MAX_LINE_BYTES - 1, 'b');
    ScriptedSource source;
    source.data(std::string(MAX_LINE_BYTES * 2, 'a') + "\n").data(big + "\n").data(big + "\n");
    EXPECT_EQ(read_all(source), (std::vector<Seen>{too_long, text(big + "\n"), text(big + "\n"), end}));
}

}  // namespace
}  // namespace tolmin
