// The layout as a whole: the worked frame at scale 1.25 under both stacking directions, the margins and the
// slide room, and extreme scales.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "layout/layout.hpp"
#include "unit/layout/fake_measurer.hpp"

namespace tolmin {
namespace {

using testing::FakeMeasurer;
using Type = BlockKind::Type;

constexpr double NOW = 1.7e12;
constexpr std::int32_t I32_MAX = std::numeric_limits<std::int32_t>::max();

// Hud texts measuring 50, 80, 60; Night texts 120 and 40; two alerts; a marker toast with a detail, born
// 60 ms ago and dying in 5 s.
Frame worked_frame(Anchor anchor) {
    Frame frame;
    frame.anchor = anchor;
    frame.offset = 24;
    frame.hud = Hud{};
    frame.hud->state = "ARMED";
    frame.hud->elapsed = "01:02:03";
    frame.hud->presence = "away";
    frame.night = Night{};
    frame.night->title = "NIGHT SHIFT";
    frame.night->tag = "T";
    frame.alerts.resize(2);
    Toast toast;
    toast.kind = ToastKind::Marker;
    toast.born = NOW - 60;
    toast.dies = NOW + 5000;
    toast.detail = "gate 3";
    frame.toasts.push_back(toast);
    return frame;
}

FakeMeasurer worked_measurer() {
    return FakeMeasurer({{"ARMED", 50}, {"01:02:03", 80}, {"away", 60}, {"NIGHT SHIFT", 120}, {"T", 40}});
}

struct Expected {
    BlockKind kind;
    std::int32_t x, y, w, h;
};

void expect_blocks(const Layout& layout, const std::vector<Expected>& expected) {
    ASSERT_EQ(layout.blocks.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Block& b = layout.blocks[i];
        const Expected& e = expected[i];
        EXPECT_EQ(b.kind, e.kind) << "block " << i;
        EXPECT_EQ(b.x, e.x) << "block " << i;
        EXPECT_EQ(b.y, e.y) << "block " << i;
        EXPECT_EQ(b.w, e.w) << "block " << i;
        EXPECT_EQ(b.h, e.h) << "block " << i;
    }
}

TEST(LayoutWorked, TopRightStacksDownFlushRight) {
    FakeMeasurer measurer = worked_measurer();
    const Frame frame = worked_frame(Anchor::TopRight);
    const Layout layout = layout_frame(frame, 1.25, NOW, measurer);

    expect_blocks(layout, {
                              {{Type::Hud, 0}, 200, 0, 375, 65},
                              {{Type::Night, 0}, 353, 80, 222, 53},
                              {{Type::Alert, 0}, 0, 143, 575, 65},
                              {{Type::Alert, 1}, 0, 218, 575, 65},
                              {{Type::Toast, 0}, 0, 293, 575, 105},
                          });
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(layout.blocks[i].alpha, 1.0);
        EXPECT_EQ(layout.blocks[i].slide, 0.0);
    }
    EXPECT_DOUBLE_EQ(layout.blocks[4].alpha, 0.5);
    EXPECT_DOUBLE_EQ(layout.blocks[4].slide, 5.0);
    EXPECT_EQ(layout.width, 585);
    EXPECT_EQ(layout.height, 398);
    EXPECT_EQ(layout.margin_x, 20);
    EXPECT_EQ(layout.margin_y, 30);
    EXPECT_EQ(layout.scale, 1.25);
    EXPECT_EQ(layout.stroke, 1.0);
    EXPECT_EQ(layout.anchor, Anchor::TopRight);
}

TEST(LayoutWorked, BottomLeftStacksUpWithTheSlideRoomOnTheLeft) {
    FakeMeasurer measurer = worked_measurer();
    const Frame frame = worked_frame(Anchor::BottomLeft);
    const Layout layout = layout_frame(frame, 1.25, NOW, measurer);

    expect_blocks(layout, {
                              {{Type::Hud, 0}, 10, 333, 375, 65},
                              {{Type::Night, 0}, 10, 265, 222, 53},
                              {{Type::Alert, 0}, 10, 190, 575, 65},
                              {{Type::Alert, 1}, 10, 115, 575, 65},
                              {{Type::Toast, 0}, 10, 0, 575, 105},
                          });
    EXPECT_DOUBLE_EQ(layout.blocks[4].alpha, 0.5);
    EXPECT_DOUBLE_EQ(layout.blocks[4].slide, -5.0);
    EXPECT_EQ(layout.blocks[0].slide, 0.0);
    EXPECT_FALSE(std::signbit(layout.blocks[0].slide));
    EXPECT_EQ(layout.width, 585);
    EXPECT_EQ(layout.height, 398);
    EXPECT_EQ(layout.margin_x, 20);
    EXPECT_EQ(layout.margin_y, 30);
}

TEST(LayoutWorked, BlocksNeverOverlapAndFillTheWindowHeight) {
    for (const Anchor anchor : {Anchor::TopLeft, Anchor::TopRight, Anchor::BottomLeft, Anchor::BottomRight}) {
        FakeMeasurer measurer = worked_measurer();
        const Layout layout = layout_frame(worked_frame(anchor), 1.25, NOW, measurer);
        std::int32_t lowest = 0;
        std::int32_t highest = layout.height;
        for (const Block& b : layout.blocks) {
            lowest = std::max(lowest, b.y + b.h);
            highest = std::min(highest, b.y);
            EXPECT_GE(b.x, 0);
            EXPECT_LE(b.x + b.w + (is_right(anchor) ? 10 : 0), layout.width);
        }
        EXPECT_EQ(lowest, layout.height) << anchor_name(anchor);
        EXPECT_EQ(highest, 0) << anchor_name(anchor);
    }
}

TEST(LayoutWorked, BottomRightHudAndAlert) {
    Frame frame;
    frame.anchor = Anchor::BottomRight;
    frame.hud = Hud{};
    frame.alerts.resize(1);
    FakeMeasurer measurer;
    const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
    expect_blocks(layout, {
                              {{Type::Hud, 0}, 256, 60, 204, 52},
                              {{Type::Alert, 0}, 0, 0, 460, 52},
                          });
    EXPECT_EQ(layout.height, 112);
    EXPECT_EQ(layout.width, 468);
}

TEST(LayoutMargins, OffsetGivesPadAndSlideRoom) {
    const struct {
        double offset;
        double scale;
        std::int32_t margin_x, margin_y, room;
    } cases[] = {
        {24, 1, 16, 24, 8},
        {4, 1, 0, 4, 4},
        {0, 1, 0, 0, 0},
        {-5, 1, 0, 0, 0},
        {std::nan(""), 1, 16, 24, 8},
        {std::numeric_limits<double>::infinity(), 1, 16, 24, 8},
        {-std::numeric_limits<double>::infinity(), 1, 16, 24, 8},
        {24, 1.25, 20, 30, 10},
        {100, 2, 184, 200, 16},
    };
    for (const auto& c : cases) {
        for (const Anchor anchor : {Anchor::TopLeft, Anchor::BottomRight}) {
            Frame frame;
            frame.anchor = anchor;
            frame.offset = c.offset;
            frame.alerts.resize(1);
            FakeMeasurer measurer;
            const Layout layout = layout_frame(frame, c.scale, NOW, measurer);
            const std::int32_t row = static_cast<std::int32_t>(std::lround(460 * c.scale));
            EXPECT_EQ(layout.margin_x, c.margin_x) << c.offset;
            EXPECT_EQ(layout.margin_y, c.margin_y) << c.offset;
            EXPECT_EQ(layout.width, row + c.room) << c.offset;
            EXPECT_EQ(layout.blocks[0].x, is_right(anchor) ? 0 : c.room) << c.offset;
        }
    }
}

TEST(LayoutMargins, NothingToShowKeepsThePad) {
    Frame frame;
    frame.offset = 40;
    Toast dead;
    dead.born = NOW - 1000;
    dead.dies = NOW;
    frame.toasts.push_back(dead);
    FakeMeasurer measurer;
    const Layout layout = layout_frame(frame, 1.5, NOW, measurer);
    EXPECT_TRUE(layout.blocks.empty());
    EXPECT_EQ(layout.width, 0);
    EXPECT_EQ(layout.height, 0);
    EXPECT_EQ(layout.margin_x, 60);
    EXPECT_EQ(layout.margin_y, 60);
    EXPECT_EQ(layout.scale, 1.5);
    EXPECT_EQ(layout.anchor, Anchor::BottomRight);
    EXPECT_TRUE(measurer.calls.empty());
}

TEST(LayoutStroke, FloorOfTheScaleAtLeastOne) {
    const struct {
        double scale, stroke;
    } cases[] = {{1.0, 1}, {1.875, 1}, {2.5, 2}, {0.5, 1}, {-3, 1}, {std::nan(""), 1}, {4.0, 4}};
    for (const auto& c : cases) {
        FakeMeasurer measurer;
        EXPECT_EQ(layout_frame(Frame{}, c.scale, NOW, measurer).stroke, c.stroke) << c.scale;
    }
}

// A full frame at an absurd scale: every pixel value saturates and nothing overflows (the sanitizer build
// turns any signed overflow into a failure), and no slide is left undefined.
TEST(LayoutSaturation, ExtremeScalesStayDefined) {
    for (const double scale : {1e12, -1e12, std::numeric_limits<double>::infinity(), std::nan("")}) {
        for (const Anchor anchor :
             {Anchor::TopLeft, Anchor::TopRight, Anchor::BottomLeft, Anchor::BottomRight}) {
            Frame frame = worked_frame(anchor);
            frame.alerts.resize(4);
            for (int i = 0; i < 2; ++i) frame.toasts.push_back(frame.toasts.front());
            FakeMeasurer measurer = worked_measurer();
            const Layout layout = layout_frame(frame, scale, NOW, measurer);
            ASSERT_EQ(layout.blocks.size(), 9u);
            for (const Block& b : layout.blocks) {
                EXPECT_TRUE(std::isfinite(b.slide)) << scale;
                EXPECT_TRUE(b.alpha >= 0.0 && b.alpha <= 1.0) << scale;
            }
            if (scale == 1e12) {
                EXPECT_EQ(layout.width, I32_MAX);
                EXPECT_EQ(layout.height, I32_MAX);
                EXPECT_EQ(layout.margin_y, I32_MAX);
                EXPECT_EQ(layout.margin_x, 0);
            }
            if (std::isnan(scale)) {
                EXPECT_EQ(layout.stroke, 1.0);
                EXPECT_EQ(layout.height, 0);
                EXPECT_EQ(layout.margin_y, 0);
                EXPECT_EQ(layout.blocks[4].slide, 0.0);
            }
        }
    }
}

}  // namespace
}  // namespace tolmin
