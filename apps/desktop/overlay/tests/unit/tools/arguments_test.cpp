// tolmin-frame's options as its help gives them: which commands take which, and where each value goes. The
// messages of refused command lines are checked on the process (tests/tools).

#include "frame/arguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tolmin::frame_tool {
namespace {

std::variant<Invocation, HelpRequest, ArgumentError> parse(const std::vector<std::string>& words) {
    std::vector<Argument> arguments;
    for (const std::string& word : words) arguments.push_back(Argument{word, word});
    return parse_arguments(arguments);
}

TEST(FrameArguments, EachCommandTakesTheOptionsItsHelpLists) {
    // An option with a value, and the commands (check, layout, paint, render) that take it.
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--monitor", "10x10"}, "-LPR"}, {{"--no-monitors"}, "-LP-"}, {{"--now", "5"}, "-LPR"},
        {{"--advance", "1"}, "-LP-"},     {{"--fonts", "d"}, "---R"},  {{"--out", "."}, "---R"},
        {{"--backdrop"}, "---R"},
    };
    for (const auto& [option, takers] : rows) {
        std::string taken;
        for (const char* command : {"check", "layout", "paint", "render"}) {
            std::vector<std::string> words{command};
            words.insert(words.end(), option.begin(), option.end());
            taken +=
                std::holds_alternative<Invocation>(parse(words)) ? static_cast<char>(command[0] - 32) : '-';
        }
        EXPECT_EQ(taken, takers) << option[0];
    }
}

TEST(FrameArguments, PutsEachValueInItsPlace) {
    const auto drawn =
        parse({"layout", "--monitor", "10x10", "--monitor=B=20x20", "--now=7", "--advance", "0", "--", "-"});
    const Invocation& layout = std::get<Invocation>(drawn);
    ASSERT_EQ(layout.options.monitors.size(), 2u);
    EXPECT_EQ(layout.options.monitors[0].name, "\\\\.\\DISPLAY1");
    EXPECT_EQ(layout.options.monitors[1].name, "B");
    EXPECT_EQ(layout.options.now_ms, 7.0);
    EXPECT_EQ(layout.options.advance, 0.0);
    EXPECT_FALSE(layout.file);  // "-" is standard input

    const auto rendered = parse({"render", "--fonts=f", "--out", "o", "--backdrop", "frames.jsonl"});
    const Invocation& render = std::get<Invocation>(rendered);
    ASSERT_TRUE(render.render);
    EXPECT_EQ(render.render->fonts, std::filesystem::path("f"));
    EXPECT_EQ(render.render->out, std::filesystem::path("o"));
    EXPECT_TRUE(render.render->backdrop);
}

}  // namespace
}  // namespace tolmin::frame_tool
