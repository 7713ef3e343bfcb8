#include "cli/entry.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/unicode.hpp"

namespace tolmin {
namespace {

// Keeps every write separately, so the tests see how the bytes were split into writes.
class RecordingOutput final : public Output {
public:
    void write(std::string_view bytes) override { writes.emplace_back(bytes); }
    std::string all() const {
        std::string joined;
        for (const std::string& w : writes) {
            joined += w;
        }
        return joined;
    }
    std::vector<std::string> writes;
};

struct RunnerCall {
    std::string mode;
    std::optional<std::filesystem::path> fonts;
};

struct Harness {
    std::vector<RunnerCall> calls;
    std::uint32_t overlay_status = 0;
    std::uint32_t probe_status = 0;
    RecordingOutput out;
    RecordingOutput err;

    std::uint32_t run(const std::vector<Argument>& arguments) {
        ModeRunners runners;
        runners.overlay = [this](const std::optional<std::filesystem::path>& fonts) {
            calls.push_back({"overlay", fonts});
            return overlay_status;
        };
        runners.probe = [this](const std::optional<std::filesystem::path>& fonts) {
            calls.push_back({"probe", fonts});
            return probe_status;
        };
        return run_entry(arguments, runners, out, err);
    }
};

std::vector<Argument> args(std::initializer_list<const char*> texts) {
    std::vector<Argument> out;
    for (const char* text : texts) {
        out.push_back(Argument{text, std::filesystem::path(text)});
    }
    return out;
}

const std::string USAGE_LINE = "usage: tolmin-overlay [--fonts <dir>] [--probe] | --version\n";

TEST(Entry, VersionPrintsOneLineAndRunsNoMode) {
    for (const char* flag : {"--version", "-V"}) {
        Harness h;
        EXPECT_EQ(h.run(args({"--probe", flag, "--nonsense"})), 0u);
        EXPECT_EQ(h.out.writes, std::vector<std::string>{"tolmin-overlay 0.1.0\n"});
        EXPECT_TRUE(h.err.writes.empty());
        EXPECT_TRUE(h.calls.empty());
    }
}

TEST(Entry, UsageErrorsWriteTwoLinesAndStatusTwo) {
    struct Case {
        std::vector<Argument> arguments;
        std::string first_line;
    };
    const Case cases[] = {
        {args({"--help"}), "tolmin-overlay: unknown argument \"--help\"\n"},
        {args({"--probe", "--fonts"}), "tolmin-overlay: --fonts needs a directory\n"},
        {args({"--fonts="}), "tolmin-overlay: unknown argument \"--fonts=\"\n"},
        {args({"-v", "--version"}), "tolmin-overlay: unknown argument \"-v\"\n"},
        {args({"a\"b\tc"}), "tolmin-overlay: unknown argument \"a\\\"b\\tc\"\n"},
    };
    for (const Case& c : cases) {
        Harness h;
        EXPECT_EQ(h.run(c.arguments), 2u);
        // One write per line, so a line is never split between writers.
        EXPECT_EQ(h.err.writes, (std::vector<std::string>{c.first_line, USAGE_LINE}));
        EXPECT_TRUE(h.out.writes.empty());
        EXPECT_TRUE(h.calls.empty());
    }
}

TEST(Entry, RunsTheChosenModeWithTheFontsDirectory) {
    struct Case {
        std::vector<Argument> arguments;
        std::string mode;
        std::optional<std::filesystem::path> fonts;
    };
    const Case cases[] = {
        {{}, "overlay", std::nullopt},
        {args({"--probe", "--probe"}), "probe", std::nullopt},
        {args({"--fonts", "a", "--fonts=b", "--probe"}), "probe", std::filesystem::path("b")},
        {args({"--fonts", "--probe"}), "overlay", std::filesystem::path("--probe")},
        {args({"--fonts=dir"}), "overlay", std::filesystem::path("dir")},
    };
    for (const Case& c : cases) {
        Harness h;
        EXPECT_EQ(h.run(c.arguments), 0u);
        ASSERT_EQ(h.calls.size(), 1u);
        EXPECT_EQ(h.calls[0].mode, c.mode);
        EXPECT_EQ(h.calls[0].fonts, c.fonts);
        EXPECT_TRUE(h.out.writes.empty());
        EXPECT_TRUE(h.err.writes.empty());
    }
}

TEST(Entry, ReturnsTheModeStatus) {
    Harness h;
    h.overlay_status = 1;
    h.probe_status = 7;
    EXPECT_EQ(h.run({}), 1u);
    EXPECT_EQ(h.run(args({"--probe"})), 7u);
}

TEST(Entry, MissingRunnerIsAFailedModeNotACrash) {
    RecordingOutput out, err;
    EXPECT_EQ(run_entry({}, ModeRunners{}, out, err), 1u);
    EXPECT_EQ(run_entry(args({"--probe"}), ModeRunners{}, out, err), 1u);
}

#if !defined(_WIN32)
TEST(Entry, SeparateFontsValueReachesTheRunnerUnchanged) {
    // A directory name made of bytes that are not UTF-8: the matching text is repaired, the path is not.
    const std::string bytes = "fonts-\xFF\xC3(";
    const std::vector<Argument> arguments = {{"--fonts", "--fonts"},
                                             {repair_utf8(bytes), std::filesystem::path(bytes)},
                                             {"--probe", "--probe"}};
    Harness h;
    EXPECT_EQ(h.run(arguments), 0u);
    ASSERT_EQ(h.calls.size(), 1u);
    EXPECT_EQ(h.calls[0].mode, "probe");
    ASSERT_TRUE(h.calls[0].fonts.has_value());
    EXPECT_EQ(h.calls[0].fonts->native(), bytes);
}

TEST(Entry, InvalidArgumentIsQuotedWithReplacementCharacters) {
    const std::string bytes = "-\xFF\xE2\x82";
    Harness h;
    EXPECT_EQ(h.run({{repair_utf8(bytes), std::filesystem::path(bytes)}}), 2u);
    ASSERT_EQ(h.err.writes.size(), 2u);
    EXPECT_EQ(h.err.writes[0], "tolmin-overlay: unknown argument \"-\xEF\xBF\xBD\xEF\xBF\xBD\"\n");
}
#endif

}  // namespace
}  // namespace tolmin
