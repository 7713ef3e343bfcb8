#include "cli/entry.hpp"

#include <gtest/gtest.h>

#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

// Runs the entry with mode runners that log their calls ("overlay dir", "probe -") and return a status.
struct Harness {
    std::vector<std::string> calls;
    std::uint32_t overlay_status = 0, probe_status = 0;
    fakes::RecordingOutput out, err;

    std::uint32_t run(std::vector<std::string> texts) {
        std::vector<Argument> arguments;
        for (const auto& text : texts) arguments.push_back({text, std::filesystem::path(text)});
        const auto logged = [this](const char* mode, std::uint32_t status) {
            return [this, mode, status](const std::optional<std::filesystem::path>& fonts) {
                calls.push_back(std::string(mode) + " " + (fonts ? fonts->string() : "-"));
                return status;
            };
        };
        return run_entry(arguments, {logged("overlay", overlay_status), logged("probe", probe_status)}, out,
                         err);
    }
};

TEST(Entry, VersionPrintsOneLineAndRunsNoMode) {
    Harness h;
    EXPECT_EQ(h.run({"--probe", "-V", "--nonsense"}), 0u);
    EXPECT_EQ(h.out.writes, std::vector<std::string>{"tolmin-overlay 0.1.0\n"});
    EXPECT_TRUE(h.err.writes.empty() && h.calls.empty());
}

TEST(Entry, AUsageErrorWritesTwoLinesOneWriteEachAndGivesTwo) {
    Harness h;
    EXPECT_EQ(h.run({"-v", "--version"}), 2u);
    EXPECT_EQ(h.err.writes,
              (std::vector<std::string>{"tolmin-overlay: unknown argument \"-v\"\n",
                                        "usage: tolmin-overlay [--fonts <dir>] [--probe] | --version\n"}));
    EXPECT_TRUE(h.out.writes.empty() && h.calls.empty());
}

TEST(Entry, RunsTheChosenModeAndReturnsItsStatus) {
    Harness h;
    h.overlay_status = 1;
    h.probe_status = 7;
    EXPECT_EQ(h.run({}), 1u);
    EXPECT_EQ(h.run({"--fonts", "a", "--probe"}), 7u);
    EXPECT_EQ(h.run({"--fonts=b"}), 1u);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"overlay -", "probe a", "overlay b"}));
    EXPECT_TRUE(h.out.writes.empty() && h.err.writes.empty());
    fakes::RecordingOutput out, err;
    EXPECT_EQ(run_entry({}, ModeRunners{}, out, err), 1u);  // a missing runner is a failed mode
}

}  // namespace
}  // namespace tolmin
