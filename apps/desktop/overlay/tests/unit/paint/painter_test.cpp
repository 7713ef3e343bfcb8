#include "paint/painter.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "paint/recording_canvas.hpp"
#include "unit/paint/failing_canvas.hpp"
#include "unit/paint/paint_fakes.hpp"

namespace tolmin {
namespace {

using Kind = DrawOp::Kind;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

Block block_of(BlockKind::Type type, std::size_t index, double alpha, double slide, std::int32_t x,
               std::int32_t y) {
    Block b;
    b.kind = BlockKind{type, index};
    b.alpha = alpha;
    b.slide = slide;
    b.x = x;
    b.y = y;
    b.w = 460;
    b.h = 72;
    return b;
}

Frame frame_with_one_toast() {
    Frame frame;
    Toast t;
    t.kind = ToastKind::Caller;
    t.title = "Caller";
    frame.toasts.push_back(t);
    return frame;
}

Layout layout_of(std::vector<Block> blocks) {
    Layout layout;
    layout.blocks = std::move(blocks);
    layout.width = 468;
    layout.height = 300;
    return layout;
}

std::vector<Kind> kinds(const std::vector<DrawOp>& ops) {
    std::vector<Kind> out;
    for (const auto& op : ops) out.push_back(op.kind);
    return out;
}

struct OpacityCase {
    const char* name;
    double alpha;
    bool drawn;
    bool layered;
};

void PrintTo(const OpacityCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockOpacity : public ::testing::TestWithParam<OpacityCase> {};

TEST_P(BlockOpacity, SkipsInvisibleBlocksAndLayersOnlyPartialOnes) {
    const OpacityCase& c = GetParam();
    RecordingCanvas canvas;
    FixedTextService text;
    const Layout layout = layout_of({block_of(BlockKind::Type::Toast, 0, c.alpha, 0, 8, 20)});
    ASSERT_TRUE(paint_frame(canvas, text, 100, 200, frame_with_one_toast(), layout).ok());

    const std::vector<Kind> got = kinds(canvas.ops);
    std::vector<Kind> want{Kind::Begin};
    if (c.drawn) {
        want.push_back(Kind::SetTransform);
        if (c.layered) want.push_back(Kind::PushLayer);
        want.insert(want.end(), {Kind::FillRect, Kind::DrawText});
        if (c.layered) want.push_back(Kind::PopLayer);
    }
    want.insert(want.end(), {Kind::SetTransform, Kind::Present});
    EXPECT_EQ(got, want);
    if (c.layered) {
        EXPECT_DOUBLE_EQ(test::ops_of(canvas.ops, Kind::PushLayer).at(0).opacity, c.alpha);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockOpacity,
    ::testing::Values(OpacityCase{"Zero", 0, false, false}, OpacityCase{"Negative", -0.5, false, false},
                      OpacityCase{"NotANumber", NaN, false, false}, OpacityCase{"Half", 0.5, true, true},
                      OpacityCase{"AlmostFull", 0.999, true, true}, OpacityCase{"Full", 1, true, false},
                      OpacityCase{"Above", 1.5, true, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PaintFrame, MovesEachBlockToItsCornerPlusSlideThenBackToIdentity) {
    RecordingCanvas canvas;
    FixedTextService text;
    Frame frame = frame_with_one_toast();
    frame.toasts.push_back(frame.toasts[0]);
    frame.toasts.push_back(frame.toasts[0]);
    const Layout layout = layout_of({block_of(BlockKind::Type::Toast, 0, 0.5, 4.5, 8, 20),
                                     block_of(BlockKind::Type::Toast, 1, 1, -3, 0, 100),
                                     block_of(BlockKind::Type::Toast, 2, 1, NaN, 8, 180)});
    ASSERT_TRUE(paint_frame(canvas, text, -7, 9, frame, layout).ok());

    const auto transforms = test::ops_of(canvas.ops, Kind::SetTransform);
    ASSERT_EQ(transforms.size(), 4u);
    const double want[][2] = {{12.5, 20}, {-3, 100}, {8, 180}, {0, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(transforms[i].dx, want[i][0]) << i;
        EXPECT_DOUBLE_EQ(transforms[i].dy, want[i][1]) << i;
    }
    EXPECT_EQ(canvas.ops.front().width, 468);
    EXPECT_EQ(canvas.ops.front().height, 300);
    const DrawOp& present = canvas.ops.back();
    EXPECT_EQ(present.kind, Kind::Present);
    EXPECT_EQ(present.x, -7);
    EXPECT_EQ(present.y, 9);
    EXPECT_EQ(present.width, 468);
    EXPECT_EQ(present.height, 300);
}

TEST(PaintFrame, AnUnboundedScaleKeepsTheTransformsFinite) {
    // A host scale of 1e308 makes the scale infinite, and 0 x infinity makes every slide NaN.
    RecordingCanvas canvas;
    FixedTextService text;
    Layout layout = layout_of({block_of(BlockKind::Type::Toast, 0, 1, NaN, 8, 20)});
    layout.scale = std::numeric_limits<double>::infinity();
    layout.stroke = layout.scale;
    ASSERT_TRUE(paint_frame(canvas, text, 0, 0, frame_with_one_toast(), layout).ok());
    const auto transforms = test::ops_of(canvas.ops, Kind::SetTransform);
    ASSERT_EQ(transforms.size(), 2u);
    EXPECT_DOUBLE_EQ(transforms[0].dx, 8);
    EXPECT_DOUBLE_EQ(transforms[0].dy, 20);
}

TEST(PaintFrame, BlocksWithoutTheirEntryStillGetTransformAndLayer) {
    RecordingCanvas canvas;
    FixedTextService text;
    const Frame frame;  // no hud, no night, no alerts, no toasts
    const Layout layout = layout_of({block_of(BlockKind::Type::Hud, 0, 1, 0, 0, 0),
                                     block_of(BlockKind::Type::Night, 0, 1, 0, 0, 60),
                                     block_of(BlockKind::Type::Alert, 5, 1, 0, 0, 110),
                                     block_of(BlockKind::Type::Toast, 3, 0.25, 2, 0, 170)});
    ASSERT_TRUE(paint_frame(canvas, text, 0, 0, frame, layout).ok());
    EXPECT_EQ(kinds(canvas.ops), (std::vector<Kind>{Kind::Begin, Kind::SetTransform, Kind::SetTransform,
                                                    Kind::SetTransform, Kind::SetTransform, Kind::PushLayer,
                                                    Kind::PopLayer, Kind::SetTransform, Kind::Present}));
}

TEST(PaintFrame, DispatchesEachKindToItsEntry) {
    RecordingCanvas canvas;
    FixedTextService text;
    Frame frame;
    frame.hud = Hud{};
    frame.hud->state = "LIVE";
    frame.night = Night{};
    frame.night->title = "Night";
    frame.alerts.resize(2);
    frame.alerts[1].title = "second alert";
    frame.toasts = frame_with_one_toast().toasts;
    const Layout layout = layout_of({block_of(BlockKind::Type::Hud, 0, 1, 0, 0, 0),
                                     block_of(BlockKind::Type::Night, 0, 1, 0, 0, 60),
                                     block_of(BlockKind::Type::Alert, 1, 1, 0, 0, 110),
                                     block_of(BlockKind::Type::Toast, 0, 1, 0, 0, 170)});
    ASSERT_TRUE(paint_frame(canvas, text, 0, 0, frame, layout).ok());
    for (const char* t : {"LIVE", "Night", "second alert", "Caller"})
        EXPECT_EQ(test::times_drawn(canvas.ops, t), 1) << t;
}

TEST(PaintFrame, SurfaceFailuresAreReturnedAndEndThePaint) {
    FixedTextService text;
    const Layout layout = layout_of({block_of(BlockKind::Type::Toast, 0, 1, 0, 0, 0)});

    test::FailingCanvas no_surface;
    no_surface.fail_begin = Error{"The surface cannot be made. (0x8007000E)"};
    Result<void> begun = paint_frame(no_surface, text, 0, 0, frame_with_one_toast(), layout);
    ASSERT_FALSE(begun.ok());
    EXPECT_EQ(begun.error().text, "The surface cannot be made. (0x8007000E)");
    EXPECT_TRUE(no_surface.ops.empty());

    test::FailingCanvas no_window;
    no_window.fail_present = Error{"no window"};
    Result<void> shown = paint_frame(no_window, text, 0, 0, frame_with_one_toast(), layout);
    ASSERT_FALSE(shown.ok());
    EXPECT_EQ(shown.error().text, "no window");
    ASSERT_FALSE(no_window.ops.empty());
    EXPECT_EQ(no_window.ops.back().kind, Kind::SetTransform);
}

TEST(PaintFrame, BrushFailuresLeaveShapesOutButThePaintSucceeds) {
    test::FailingCanvas canvas;
    canvas.fail_brushes = true;
    FixedTextService text;
    const Layout layout = layout_of({block_of(BlockKind::Type::Toast, 0, 0.5, 0, 0, 0)});
    ASSERT_TRUE(paint_frame(canvas, text, 0, 0, frame_with_one_toast(), layout).ok());
    EXPECT_EQ(kinds(canvas.ops), (std::vector<Kind>{Kind::Begin, Kind::SetTransform, Kind::PushLayer,
                                                    Kind::PopLayer, Kind::SetTransform, Kind::Present}));
}

}  // namespace
}  // namespace tolmin
