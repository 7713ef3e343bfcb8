#include "report/frame_check.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/frame_reader.hpp"
#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

using fakes::RecordingOutput;
using fakes::ScriptedSource;

struct Checked {
    CheckSummary summary;
    std::vector<std::string> lines;  // each written report, line feed included
};

Checked check(ScriptedSource& source, const CheckOptions& options) {
    RecordingOutput out;
    Checked checked;
    checked.summary = run_check(source, options, out);
    checked.lines = out.writes;
    return checked;
}

Checked check(const std::string& input, const CheckOptions& options) {
    ScriptedSource source;
    source.data(input);
    return check(source, options);
}

CheckOptions options_for(CheckCommand command) {
    CheckOptions options;
    options.command = command;
    options.monitors = {default_monitor()};
    options.now_ms = 1000;
    return options;
}

constexpr const char* DEFAULT_FRAME =
    R"({"v":1,"anchor":"bottom-right","offset":24,"scale":1,"monitor":null,"hud":null,"night":null,)"
    R"("alerts":[],"toasts":[]})";

TEST(FrameCheck, OneReportPerLineThatIsNotBlankNumberedOverAllLines) {
    const std::string input = "{\"v\":1}\n\n{\"v\":2}\n" + std::string(MAX_LINE_BYTES + 1, ' ') +
                              "\n  \t\r\n{\"anchor\":\"top-left\"}";
    const Checked checked = check(input, options_for(CheckCommand::Check));
    std::string top_left = DEFAULT_FRAME;
    top_left.replace(top_left.find("bottom-right"), 12, "top-left");
    EXPECT_EQ(checked.lines, (std::vector<std::string>{
                                 std::string(R"({"line":1,"frame":)") + DEFAULT_FRAME + "}\n",
                                 R"j({"line":3,"error":"render model v2 (this helper draws v1)"})j"
                                 "\n",
                                 R"({"line":4,"error":"a line over 1 MiB is not a frame; discarded"})"
                                 "\n",
                                 R"({"line":6,"frame":)" + top_left + "}\n",
                             }));
    EXPECT_EQ(checked.summary.lines, 6u);
    EXPECT_EQ(checked.summary.rejected, 2u);
    EXPECT_FALSE(checked.summary.read_error.has_value());
}

TEST(FrameCheck, ErrorsAreTheSameForEveryCommand) {
    for (CheckCommand command : {CheckCommand::Check, CheckCommand::Layout, CheckCommand::Paint}) {
        const Checked checked = check("[1,\"top-center\"]\n", options_for(command));
        ASSERT_EQ(checked.lines.size(), 1u);
        EXPECT_EQ(
            checked.lines[0].rfind(R"({"line":1,"error":"unknown variant `top-center`, expected one of )", 0),
            0u)
            << checked.lines[0];
        EXPECT_EQ(checked.summary.rejected, 1u);
    }
}

TEST(FrameCheck, AReadFailureEndsTheInputAfterTheLinesBeforeIt) {
    ScriptedSource source;
    source.data("{}\n{\"v\"").failed("Input/output error (os error 5)").data("{}\n");
    const Checked checked = check(source, options_for(CheckCommand::Check));
    EXPECT_EQ(checked.lines.size(), 1u);
    EXPECT_EQ(checked.summary.lines, 1u);
    EXPECT_EQ(checked.summary.rejected, 0u);
    EXPECT_EQ(checked.summary.read_error, "Input/output error (os error 5)");
}

TEST(FrameCheck, LayoutOfAHudOnTheDefaultMonitor) {
    // Twelve characters of HUD_STATE at advance 0.5: 12 x 22 x 0.58 = 153.12; the block is 2 + 84 + 153.12
    // rounded up = 240 wide, the window 8 more; its bottom-right corner 16 and 24 from the monitor's.
    const std::string frame = R"({"hud":{"state":"ABCDEFGHIJKL"}})"
                              "\n";
    EXPECT_EQ(
        check(frame, options_for(CheckCommand::Layout)).lines,
        (std::vector<std::string>{
            R"({"line":1,"monitor":0,"scale":1,"layout":{"blocks":[{"kind":"hud","index":null,"alpha":1,)"
            R"("slide":0,"x":0,"y":0,"w":240,"h":52}],"scale":1,"stroke":1,"width":248,"height":52,)"
            R"("margin_x":16,"margin_y":24,"anchor":"bottom-right"},"window":{"x":1656,"y":1004},)"
            R"("next_repaint":null})"
            "\n"}));

    CheckOptions wide = options_for(CheckCommand::Layout);
    wide.advance = 1;  // 12 x 22 x 1.08 = 285.12: 372 wide
    const std::string line = check(frame, wide).lines.at(0);
    EXPECT_NE(line.find(R"("w":372,"h":52)"), std::string::npos) << line;
    EXPECT_NE(line.find(R"("window":{"x":1524,"y":1004})"), std::string::npos) << line;
}

TEST(FrameCheck, LayoutPicksTheNamedMonitorAndItsScale) {
    CheckOptions options = options_for(CheckCommand::Layout);
    Monitor left;
    left.name = "LEFT";
    left.x = -3840;
    left.width = 3840;
    left.height = 2160;
    left.dpi = 144;
    options.monitors.push_back(left);
    const Checked checked = check(R"({"monitor":"LEFT","anchor":"top-left","hud":{}})"
                                  "\n{\"monitor\":\"left\",\"hud\":{}}\n",
                                  options);
    ASSERT_EQ(checked.lines.size(), 2u);
    // 2160 pixels at 144 DPI are 1440 device-independent: 1.25, times 1.5 for the DPI. The pad is
    // px(24) = 45 and the slide room px(8) = 15, so the window's left edge is 30 from the monitor's.
    EXPECT_EQ(checked.lines[0].rfind(R"({"line":1,"monitor":1,"scale":1.875,)", 0), 0u) << checked.lines[0];
    EXPECT_NE(checked.lines[0].find(R"("window":{"x":-3810,"y":45})"), std::string::npos) << checked.lines[0];
    // Names match byte for byte; an unknown one falls back to the primary monitor.
    EXPECT_EQ(checked.lines[1].rfind(R"({"line":2,"monitor":0,"scale":1,)", 0), 0u) << checked.lines[1];
}

TEST(FrameCheck, AHiddenOverlayHasNoWindowNoTimerAndNoOps) {
    const std::string frame = R"({"offset":-5,"toasts":[{"kind":"bogus","dies":99999}]})"
                              "\n";
    EXPECT_EQ(check(frame, options_for(CheckCommand::Layout)).lines,
              (std::vector<std::string>{
                  R"({"line":1,"monitor":0,"scale":1,"layout":{"blocks":[],"scale":1,"stroke":1,"width":0,)"
                  R"("height":0,"margin_x":0,"margin_y":0,"anchor":"bottom-right"},"window":null,)"
                  R"("next_repaint":null})"
                  "\n"}));
    EXPECT_EQ(check(frame, options_for(CheckCommand::Paint)).lines,
              (std::vector<std::string>{R"({"line":1,"ops":[]})"
                                        "\n"}));
}

TEST(FrameCheck, WithoutAnyMonitorTheOverlayHidesBeforeLayingOut) {
    CheckOptions options = options_for(CheckCommand::Layout);
    options.monitors.clear();
    const std::string frame = R"({"hud":{"state":"LIVE"}})"
                              "\n";
    EXPECT_EQ(check(frame, options).lines,
              (std::vector<std::string>{
                  R"({"line":1,"monitor":null,"scale":null,"layout":null,"window":null,"next_repaint":null})"
                  "\n"}));
    options.command = CheckCommand::Paint;
    EXPECT_EQ(check(frame, options).lines, (std::vector<std::string>{R"({"line":1,"ops":[]})"
                                                                     "\n"}));
}

TEST(FrameCheck, NextRepaintFollowsTheToasts) {
    const CheckOptions options = options_for(CheckCommand::Layout);  // now = 1000
    const Checked checked =
        check(R"({"toasts":[{"born":1000,"dies":10000}]})"
              "\n"
              R"({"toasts":[{"born":2000,"dies":10000}]})"
              "\n"
              R"({"toasts":[{"born":0,"dies":999},{"kind":"bogus","born":0,"dies":5000}]})"
              "\n",
              options);
    ASSERT_EQ(checked.lines.size(), 3u);
    EXPECT_NE(checked.lines[0].find(R"("next_repaint":"now"})"), std::string::npos) << checked.lines[0];
    EXPECT_NE(checked.lines[1].find(R"("next_repaint":{"at":2000,"wait_ms":1000}})"), std::string::npos)
        << checked.lines[1];
    EXPECT_NE(checked.lines[2].find(R"("window":null,"next_repaint":null})"), std::string::npos)
        << checked.lines[2];
}

TEST(FrameCheck, PaintBeginsWithTheSurfaceAndPresentsItAtTheWindow) {
    const Checked checked = check(R"({"hud":{"state":"ABCDEFGHIJKL"}})"
                                  "\n",
                                  options_for(CheckCommand::Paint));
    ASSERT_EQ(checked.lines.size(), 1u);
    const std::string& line = checked.lines[0];
    EXPECT_EQ(line.rfind(R"({"line":1,"ops":[{"op":"begin","width":248,"height":52},)", 0), 0u) << line;
    const std::string ending = R"({"op":"present","x":1656,"y":1004,"width":248,"height":52}]})"
                               "\n";
    ASSERT_GE(line.size(), ending.size());
    EXPECT_EQ(line.substr(line.size() - ending.size()), ending) << line;
    EXPECT_NE(line.find(R"({"op":"draw_text","text":"ABCDEFGHIJKL","style":"HUD_STATE",)"), std::string::npos)
        << line;
}

}  // namespace
}  // namespace tolmin
