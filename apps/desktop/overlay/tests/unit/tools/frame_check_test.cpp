// run_check: one report per line that is not blank, numbered over all lines, for each command.

#include "frame/frame_check.hpp"

#include <gtest/gtest.h>

#include "input/frame_reader.hpp"
#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

using Lines = std::vector<std::string>;

struct Checked {
    CheckSummary summary;
    Lines lines;  // each written report, without its line feed
};

Checked check(fakes::ScriptedSource& source, CheckCommand command, std::vector<Monitor> monitors) {
    CheckOptions options;
    options.command = command;
    options.monitors = std::move(monitors);
    options.now_ms = 1000;
    fakes::RecordingOutput out;
    Checked checked{run_check(source, options, out), {}};
    for (const std::string& write : out.writes) {
        EXPECT_EQ(write.back(), '\n');
        checked.lines.push_back(write.substr(0, write.size() - 1));
    }
    return checked;
}

Checked check(const std::string& input, CheckCommand command,
              std::vector<Monitor> monitors = {default_monitor()}) {
    fakes::ScriptedSource source;
    source.data(input);
    return check(source, command, std::move(monitors));
}

TEST(FrameCheck, ReportsEveryLineThatIsNotBlank) {
    const std::string input = "{\"v\":1}\n\n{\"v\":2}\n" + std::string(MAX_LINE_BYTES + 1, ' ') +
                              "\n  \t\r\n{\"anchor\":\"top-left\"}";
    const Checked checked = check(input, CheckCommand::Check);
    EXPECT_EQ(
        checked.lines,
        (Lines{R"({"line":1,"frame":{"v":1,"anchor":"bottom-right","offset":24,"scale":1,"monitor":null,)"
               R"("hud":null,"night":null,"alerts":[],"toasts":[]}})",
               R"j({"line":3,"error":"render model v2 (this helper draws v1)"})j",
               R"({"line":4,"error":"a line over 1 MiB is not a frame; discarded"})",
               R"({"line":6,"frame":{"v":1,"anchor":"top-left","offset":24,"scale":1,"monitor":null,)"
               R"("hud":null,"night":null,"alerts":[],"toasts":[]}})"}));
    EXPECT_EQ(checked.summary.lines, 6u);
    EXPECT_EQ(checked.summary.rejected, 2u);
    EXPECT_EQ(check("[1,\"top-center\"]\n", CheckCommand::Paint).summary.rejected, 1u);
}

TEST(FrameCheck, AReadFailureEndsTheInputAfterTheLinesBeforeIt) {
    fakes::ScriptedSource source;
    source.data("{}\n{\"v\"").failed("Input/output error (os error 5)").data("{}\n");
    const Checked checked = check(source, CheckCommand::Check, {});
    EXPECT_EQ(checked.lines.size(), 1u);
    EXPECT_EQ(checked.summary.lines, 1u);
    EXPECT_EQ(checked.summary.read_error, "Input/output error (os error 5)");
}

TEST(FrameCheck, LayoutAndPaintGoTheOverlaysWay) {
    // Twelve characters of HUD_STATE at advance 0.5: 12 x 22 x 0.58 = 153.12; the block is 2 + 84 + 153.12
    // rounded up = 240 wide, the window 8 more; its bottom-right corner 16 and 24 from the monitor's. The
    // same frame again changes nothing.
    const std::string hud = "{\"hud\":{\"state\":\"ABCDEFGHIJKL\"}}\n";
    const std::string laid_out =
        R"("monitor":0,"scale":1,"layout":{"blocks":[{"kind":"hud","index":null,)"
        R"("alpha":1,"slide":0,"x":0,"y":0,"w":240,"h":52}],"scale":1,"stroke":1,"width":248,)"
        R"("height":52,"margin_x":16,"margin_y":24,"anchor":"bottom-right"},)"
        R"("window":{"x":1656,"y":1004},"next_repaint":null,"damage":)";
    EXPECT_EQ(check(hud + hud, CheckCommand::Layout).lines,
              (Lines{R"({"line":1,)" + laid_out + R"("all"})", R"({"line":2,)" + laid_out + "[]}"}));
    const std::string paint = check(hud, CheckCommand::Paint).lines.at(0);
    EXPECT_EQ(
        paint.rfind(R"({"line":1,"ops":[{"op":"begin","width":248,"height":52,"area":[0,0,248,52]},)", 0), 0u)
        << paint;
    EXPECT_NE(
        paint.find(R"({"op":"present","x":1656,"y":1004,"width":248,"height":52,"area":[0,0,248,52]}]})"),
        std::string::npos);
    // A layout without blocks hides the overlay; without monitors it hides before laying out.
    const std::string hidden = R"({"offset":-5,"toasts":[{"kind":"bogus","dies":99999}]})";
    EXPECT_EQ(
        check(hidden, CheckCommand::Layout).lines,
        (Lines{R"({"line":1,"monitor":0,"scale":1,"layout":{"blocks":[],"scale":1,"stroke":1,"width":0,)"
               R"("height":0,"margin_x":0,"margin_y":0,"anchor":"bottom-right"},"window":null,)"
               R"("next_repaint":null,"damage":null})"}));
    EXPECT_EQ(check(hidden, CheckCommand::Paint).lines, (Lines{R"({"line":1,"ops":[]})"}));
    EXPECT_EQ(
        check(hud, CheckCommand::Layout, {}).lines,
        (Lines{R"({"line":1,"monitor":null,"scale":null,"layout":null,"window":null,"next_repaint":null,)"
               R"("damage":null})"}));
    EXPECT_EQ(check(hud, CheckCommand::Paint, {}).lines, (Lines{R"({"line":1,"ops":[]})"}));
}

}  // namespace
}  // namespace tolmin
