// What the painter does when the drawing system refuses something: a surface that cannot be begun or
// presented ends the paint with its error; without brushes no shape and no text is drawn, yet every block is
// still moved and faded, as when the Frame lacks the blocks' entries. (Texts that cannot be laid out are rows
// of tables/pictures.tsv.)

#include <gtest/gtest.h>

#include "layout/layout.hpp"
#include "paint/painter.hpp"
#include "unit/paint/failing_canvas.hpp"
#include "unit/paint/op_text.hpp"
#include "unit/support/builders.hpp"

namespace tolmin {
namespace {

constexpr double NOW = 1.7e12;

TEST(PaintFailures, BrushesSurfacesAndMissingEntries) {
    Frame frame =
        test::frame({test::alert("A")}, {test::toast(ToastKind::Caller, NOW - 60, NOW + 9000, "C")});
    frame.hud = Hud{std::nullopt, "S", std::nullopt, "E", "P"};
    frame.night = Night{"T", "N"};
    FixedTextService text;
    const Layout layout = layout_frame(frame, 1.0, NOW, text);
    const auto outcome = [&](test::FailingCanvas& canvas, const Frame& painted) {
        const Result<void> result = paint_frame(canvas, text, 0, 0, painted, layout);
        std::string kinds = result.ok() ? "ok" : result.error().text;
        for (const auto& op : canvas.ops)
            kinds += " " + test::op_text(op).substr(0, test::op_text(op).find(' '));
        return kinds;
    };
    test::FailingCanvas no_brushes, no_surface, no_window, other_frame;
    no_brushes.fail_brushes = true;
    no_surface.fail_begin = Error{"no surface"};
    no_window.fail_present = Error{"no window"};
    // Every block clipped to its extent and moved, the fading toast in a layer.
    const std::string block = " push_clip set_transform pop_clip";
    const std::string moved = " begin" + block + block + block +
                              " push_clip set_transform push_layer pop_layer pop_clip set_transform present";
    EXPECT_EQ(outcome(no_brushes, frame), "ok" + moved);
    EXPECT_EQ(outcome(no_surface, frame), "no surface");
    EXPECT_EQ(outcome(no_window, frame).substr(0, 16), "no window begin ");
    // A layout made from another Frame: the blocks whose entries this Frame lacks draw nothing.
    EXPECT_EQ(outcome(other_frame, Frame{}), "ok" + moved);
}

}  // namespace
}  // namespace tolmin
