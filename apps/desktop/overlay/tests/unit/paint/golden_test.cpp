// The layout and paint reports of the golden frames under tests/data/golden/ match the committed ones byte
// for byte (scripts/golden rewrites them). Run in-process, so a change in layout or painting fails here.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame/frame_check.hpp"
#include "frame/monitor_option.hpp"
#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

const std::filesystem::path GOLDEN = std::filesystem::path(TOLMIN_TESTDATA_DIR) / "golden";

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The same options scripts/golden hands to tolmin-frame: --now=MS and --monitor=SPEC lines.
CheckOptions golden_options(CheckCommand command) {
    CheckOptions options;
    options.command = command;
    std::istringstream lines(read_file(GOLDEN / "options"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("--now=", 0) == 0) options.now_ms = std::stod(line.substr(6));
        if (line.rfind("--monitor=", 0) == 0) {
            options.monitors.push_back(*parse_monitor_option(line.substr(10), options.monitors.size() + 1));
        }
    }
    return options;
}

TEST(Golden, LayoutAndPaintReportsMatch) {
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(GOLDEN)) {
        for (const auto command : {CheckCommand::Layout, CheckCommand::Paint}) {
            if (entry.path().extension() != ".jsonl") continue;
            fakes::ScriptedSource input;
            input.data(read_file(entry.path()));
            fakes::RecordingOutput out;
            EXPECT_EQ(run_check(input, golden_options(command), out).rejected, 0u) << entry.path();
            auto expected = entry.path();
            expected.replace_extension(command == CheckCommand::Layout ? ".layout" : ".paint");
            EXPECT_EQ(out.all(), read_file(expected)) << expected;
            ++compared;
        }
    }
    EXPECT_GE(compared, 6);
}

}  // namespace
}  // namespace tolmin
