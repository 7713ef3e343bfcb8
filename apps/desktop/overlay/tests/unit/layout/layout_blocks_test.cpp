// Which blocks the layout makes and how large each one is: the Hud and Night widths from measured text, the
// gaps, the alert and toast limits, the toast fades and heights, and the measuring calls.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "layout/layout.hpp"
#include "unit/layout/fake_measurer.hpp"

namespace tolmin {
namespace {

using testing::FakeMeasurer;
using testing::MeasureCall;
using Type = BlockKind::Type;

constexpr double NOW = 1.7e12;

Toast toast_of(ToastKind kind, double born, double dies) {
    Toast toast;
    toast.kind = kind;
    toast.born = born;
    toast.dies = dies;
    return toast;
}

Toast live_toast(ToastKind kind = ToastKind::Marker) {
    return toast_of(kind, NOW - 1000, NOW + 10000);
}

Hud hud_of(std::string state, std::string elapsed, std::optional<std::string> presence = std::nullopt) {
    Hud hud;
    hud.state = std::move(state);
    hud.elapsed = std::move(elapsed);
    hud.presence = std::move(presence);
    return hud;
}

TEST(LayoutHud, WidthIsTheMeasuredTotalOrTheMinimum) {
    const struct {
        const char* name;
        Hud hud;
        double scale;
        std::int32_t w;
    } cases[] = {
        {"measured", hud_of("a", "b"), 1.0, 226},            // 1+1+84+40+100
        {"unmeasurable", hud_of("", ""), 1.0, 204},          // 86 is below the minimum
        {"empty presence", hud_of("", "", ""), 1.0, 300},    // present, so the wider minimum
        {"presence", hud_of("a", "b", "c"), 1.0, 363},       // 226 + 36+1+100
        {"fraction rounds up", hud_of("f", "b"), 1.0, 287},  // 86 + 100.2 + 100 = 286.2
        {"scaled minimum", hud_of("", ""), 1.25, 255},
        {"two-pixel stroke", hud_of("w", "b"), 2.0, 572},  // 2+2+168+300+100
    };
    for (const auto& c : cases) {
        FakeMeasurer measurer({{"a", 40}, {"b", 100}, {"c", 100}, {"f", 100.2}, {"w", 300}});
        Frame frame;
        frame.hud = c.hud;
        const Layout layout = layout_frame(frame, c.scale, NOW, measurer);
        ASSERT_EQ(layout.blocks.size(), 1u) << c.name;
        EXPECT_EQ(layout.blocks[0].w, c.w) << c.name;
        EXPECT_EQ(layout.blocks[0].h, c.scale == 1.0 ? 52 : (c.scale == 2.0 ? 104 : 65)) << c.name;
    }
}

TEST(LayoutNight, WidthIsCappedAndAnEmptyTagAddsNothing) {
    const struct {
        const char* name;
        std::optional<std::string> tag;
        std::string title;
        std::int32_t w;
        std::size_t measured;
    } cases[] = {
        {"title only", std::nullopt, "t", 1 + 1 + 36 + 120, 1},
        {"empty tag", std::string(), "t", 158, 1},
        {"blank tag is a tag", std::string(" "), "t", 158 + 12 + 40, 2},
        {"long title", std::nullopt, "long", 460, 1},
        {"long tag", std::string("long"), "t", 460, 2},
    };
    for (const auto& c : cases) {
        FakeMeasurer measurer({{"t", 120}, {" ", 40}, {"long", 5000}});
        Frame frame;
        frame.night = Night{c.tag, c.title};
        const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
        ASSERT_EQ(layout.blocks.size(), 1u) << c.name;
        EXPECT_EQ(layout.blocks[0].w, c.w) << c.name;
        EXPECT_EQ(layout.blocks[0].h, 42) << c.name;
        EXPECT_EQ(measurer.calls.size(), c.measured) << c.name;
    }
}

TEST(LayoutMeasuring, CallsInOrderWithTheirStylesAndTheScale) {
    FakeMeasurer measurer;
    Frame frame;
    frame.hud = hud_of("S", "E", "P");
    frame.night = Night{"G", "T"};
    frame.alerts.resize(2);
    frame.toasts.push_back(live_toast());
    (void)layout_frame(frame, 1.5, NOW, measurer);
    const std::vector<MeasureCall> expected{
        {"S", HUD_STATE, 1.5},   {"E", HUD_ELAPSED, 1.5}, {"P", HUD_PRESENCE, 1.5},
        {"T", NIGHT_TITLE, 1.5}, {"G", NIGHT_TAG, 1.5},
    };
    EXPECT_EQ(measurer.calls, expected);
}

TEST(LayoutMeasuring, EmptyHudTextsAreStillMeasured) {
    FakeMeasurer measurer;
    Frame frame;
    frame.hud = Hud{};
    frame.night = Night{};
    (void)layout_frame(frame, 1.0, NOW, measurer);
    const std::vector<MeasureCall> expected{
        {"", HUD_STATE, 1.0}, {"", HUD_ELAPSED, 1.0}, {"", NIGHT_TITLE, 1.0}};
    EXPECT_EQ(measurer.calls, expected);
}

TEST(LayoutMeasuring, AFailingMeasurerOnlyNarrowsTheBlocks) {
    struct Broken : TextMeasurer {
        double measure_text(std::string_view, const TextSpec&, double) override {
            return std::numeric_limits<double>::quiet_NaN();
        }
    } broken;
    Frame frame;
    frame.hud = hud_of("x", "y");
    frame.night = Night{std::nullopt, "z"};
    const Layout layout = layout_frame(frame, 1.0, NOW, broken);
    ASSERT_EQ(layout.blocks.size(), 2u);
    EXPECT_EQ(layout.blocks[0].w, 204);
    EXPECT_EQ(layout.blocks[1].w, 0);
}

TEST(LayoutGaps, TwelveAfterTheHudEightBetweenRows) {
    const struct {
        const char* name;
        bool hud, night;
        std::size_t alerts;
        bool toast;
        std::vector<std::int32_t> tops;  // y of each block, top anchor, scale 1
    } cases[] = {
        {"night alone", false, true, 0, false, {0}},
        {"hud then night", true, true, 0, false, {0, 64}},
        {"night then alert", false, true, 1, false, {0, 50}},
        {"alert alone", false, false, 1, false, {0}},
        {"toast alone", false, false, 0, true, {0}},
        {"all", true, true, 1, true, {0, 64, 114, 174}},
    };
    for (const auto& c : cases) {
        FakeMeasurer measurer;
        Frame frame;
        frame.anchor = Anchor::TopLeft;
        if (c.hud) frame.hud = Hud{};
        if (c.night) frame.night = Night{};
        frame.alerts.resize(c.alerts);
        if (c.toast) frame.toasts.push_back(live_toast(ToastKind::Marker));
        const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
        ASSERT_EQ(layout.blocks.size(), c.tops.size()) << c.name;
        for (std::size_t i = 0; i < c.tops.size(); ++i)
            EXPECT_EQ(layout.blocks[i].y, c.tops[i]) << c.name << i;
        const Block& last = layout.blocks.back();
        EXPECT_EQ(layout.height, last.y + last.h) << c.name;
    }
}

TEST(LayoutAlerts, AtMostFourInOrder) {
    FakeMeasurer measurer;
    Frame frame;
    frame.alerts.resize(5);
    const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
    ASSERT_EQ(layout.blocks.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(layout.blocks[i].kind, (BlockKind{Type::Alert, i}));
        EXPECT_EQ(layout.blocks[i].w, 460);
        EXPECT_EQ(layout.blocks[i].h, 52);
    }
    EXPECT_TRUE(measurer.calls.empty());
}

TEST(LayoutToasts, SkippedToastsDoNotTakeOneOfTheThreePlaces) {
    Frame frame;
    frame.toasts = {
        live_toast(ToastKind::Unrecognized),          // 0: never shown
        live_toast(ToastKind::Caller),                // 1
        live_toast(ToastKind::Same),                  // 2
        toast_of(ToastKind::Marker, NOW - 500, NOW),  // 3: dies now
        live_toast(ToastKind::Marker),                // 4
        live_toast(ToastKind::Marker),                // 5: a fourth visible one
        toast_of(ToastKind::Marker, NOW - 500, std::nan("")),
    };
    frame.alerts.resize(1);
    FakeMeasurer measurer;
    const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
    ASSERT_EQ(layout.blocks.size(), 4u);
    EXPECT_EQ(layout.blocks[1].kind, (BlockKind{Type::Toast, 1}));
    EXPECT_EQ(layout.blocks[2].kind, (BlockKind{Type::Toast, 2}));
    EXPECT_EQ(layout.blocks[3].kind, (BlockKind{Type::Toast, 4}));
}

TEST(LayoutToasts, NanDiesOrTimeIsNeverShown) {
    Frame frame;
    frame.toasts = {toast_of(ToastKind::Marker, NOW - 500, std::nan(""))};
    FakeMeasurer measurer;
    EXPECT_TRUE(layout_frame(frame, 1.0, NOW, measurer).blocks.empty());
    frame.toasts = {live_toast()};
    EXPECT_TRUE(layout_frame(frame, 1.0, std::nan(""), measurer).blocks.empty());
}

TEST(LayoutToasts, FadeInSlideAndFadeOut) {
    constexpr double BORN = NOW;
    constexpr double DIES = NOW + 3000;
    const struct {
        double now;
        double alpha;
        double slide;  // design pixels, before the scale
    } cases[] = {
        {BORN, 0.0, 8.0},        {BORN + 60, 0.5, 4.0},  {BORN + 30, 0.25, 6.0}, {BORN + 120, 1.0, 0.0},
        {BORN + 2000, 1.0, 0.0}, {DIES - 180, 1.0, 0.0}, {DIES - 90, 0.5, 0.0},  {DIES - 1, 1.0 / 180, 0.0},
    };
    for (const auto& c : cases) {
        for (const Anchor anchor : {Anchor::TopRight, Anchor::BottomLeft}) {
            Frame frame;
            frame.anchor = anchor;
            frame.toasts = {toast_of(ToastKind::Caller, BORN, DIES)};
            FakeMeasurer measurer;
            const Layout layout = layout_frame(frame, 1.5, c.now, measurer);
            ASSERT_EQ(layout.blocks.size(), 1u);
            EXPECT_NEAR(layout.blocks[0].alpha, c.alpha, 1e-12) << c.now - BORN;
            EXPECT_NEAR(layout.blocks[0].slide, c.slide * 1.5 * (is_right(anchor) ? 1 : -1), 1e-9)
                << c.now - BORN;
        }
    }
}

TEST(LayoutToasts, FadesOverlapInAShortToastAndTheSmallerWins) {
    Frame frame;
    frame.toasts = {toast_of(ToastKind::Same, NOW - 60, NOW + 45)};  // in 0.5, out 0.25
    FakeMeasurer measurer;
    const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
    EXPECT_DOUBLE_EQ(layout.blocks[0].alpha, 0.25);
    EXPECT_DOUBLE_EQ(layout.blocks[0].slide, 4.0);
}

TEST(LayoutToasts, NanBornMeansNoFadeIn) {
    for (const double dies : {NOW + 5000, NOW + 90}) {
        Frame frame;
        frame.anchor = Anchor::TopLeft;
        frame.toasts = {toast_of(ToastKind::Caller, std::nan(""), dies)};
        FakeMeasurer measurer;
        const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
        ASSERT_EQ(layout.blocks.size(), 1u);
        EXPECT_DOUBLE_EQ(layout.blocks[0].alpha, dies == NOW + 90 ? 0.5 : 1.0);
        EXPECT_EQ(layout.blocks[0].slide, 0.0);
    }
}

TEST(LayoutToasts, InfiniteTimesStayInRange) {
    const struct {
        double born, dies, alpha, slide;
    } cases[] = {
        {-std::numeric_limits<double>::infinity(), NOW + 5000, 1.0, 0.0},
        {std::numeric_limits<double>::infinity(), NOW + 5000, 0.0, 8.0},
        {NOW - 500, std::numeric_limits<double>::infinity(), 1.0, 0.0},
    };
    for (const auto& c : cases) {
        Frame frame;
        frame.toasts = {toast_of(ToastKind::Marker, c.born, c.dies)};
        FakeMeasurer measurer;
        const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
        ASSERT_EQ(layout.blocks.size(), 1u);
        EXPECT_EQ(layout.blocks[0].alpha, c.alpha);
        EXPECT_EQ(layout.blocks[0].slide, c.slide);
    }
}

TEST(LayoutToasts, HeightsByKindAndDetail) {
    const struct {
        ToastKind kind;
        std::optional<std::string> detail;
        std::int32_t h;
    } cases[] = {
        {ToastKind::Marker, std::nullopt, 64},
        {ToastKind::Marker, std::string(), 64},
        {ToastKind::Marker, std::string(" \t "), 64},
        {ToastKind::Marker, std::string("\xE3\x80\x80"), 64},  // U+3000 only
        {ToastKind::Marker, std::string("x"), 84},
        {ToastKind::Caller, std::nullopt, 72},
        {ToastKind::Caller, std::string("x"), 72},
        {ToastKind::Same, std::nullopt, 72},
        {ToastKind::Same, std::string("x"), 72},
    };
    for (const auto& c : cases) {
        Frame frame;
        Toast toast = live_toast(c.kind);
        toast.detail = c.detail;
        frame.toasts = {toast};
        FakeMeasurer measurer;
        const Layout layout = layout_frame(frame, 1.0, NOW, measurer);
        ASSERT_EQ(layout.blocks.size(), 1u);
        EXPECT_EQ(layout.blocks[0].h, c.h) << toast_kind_name(c.kind) << " " << c.detail.value_or("(none)");
        EXPECT_EQ(layout.blocks[0].w, 460);
    }
}

}  // namespace
}  // namespace tolmin
