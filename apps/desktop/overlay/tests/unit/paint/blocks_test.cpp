#include "paint/blocks.hpp"

#include <gtest/gtest.h>

#include "unit/paint/paint_fakes.hpp"

namespace tolmin {
namespace {

using Kind = DrawOp::Kind;
using test::centred_y;
using test::drawn;
using test::expect_text;
using test::MapTextService;
using test::same_rect;
using test::times_drawn;

Hud sample_hud() {
    Hud hud;
    hud.state = "LIVE";
    hud.elapsed = "12:04";
    hud.presence = "2 online";
    return hud;
}

class HudBlock : public ::testing::Test {
protected:
    HudBlock() { text.widths = {{"LIVE", 82}, {"12:04", 51}, {"2 online", 60}}; }
    void paint(const Hud& hud, double w = 400, double h = 52, double a = 1, double s = 1) {
        paint_hud(TextContext{canvas, text, s}, w, h, a, s, hud);
    }
    RecordingCanvas canvas;
    MapTextService text;
};

TEST_F(HudBlock, DrawsPanelDotTextsSeparatorAndPresenceInOrder) {
    paint(sample_hud());
    const auto& ops = canvas.ops;
    ASSERT_EQ(ops.size(), 10u);

    const RectF panel_rects[] = {
        {0, 0, 400, 52}, {0, 0, 400, 1}, {0, 51, 400, 52}, {0, 1, 1, 51}, {399, 1, 400, 51}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ops[i].kind, Kind::FillRect);
        EXPECT_TRUE(same_rect(ops[i].rect, panel_rects[i])) << i;
        EXPECT_EQ(ops[i].color, i == 0 ? PANEL : EDGE);
        EXPECT_DOUBLE_EQ(ops[i].alpha, i == 0 ? 0.92 : 1.0);
    }

    EXPECT_EQ(ops[5].kind, Kind::FillEllipse);
    EXPECT_DOUBLE_EQ(ops[5].center.x, 25);
    EXPECT_DOUBLE_EQ(ops[5].center.y, 26);
    EXPECT_DOUBLE_EQ(ops[5].radius_x, 6);
    EXPECT_DOUBLE_EQ(ops[5].radius_y, 6);
    EXPECT_EQ(ops[5].color, SIGNAL);

    expect_text(ops[6], {"LIVE", HUD_STATE, 49, centred_y(26, HUD_STATE, 1), SIGNAL});
    expect_text(ops[7], {"12:04", HUD_ELAPSED, 149, centred_y(26, HUD_ELAPSED, 1), BRIGHT});

    // elapsed ends at 149 + 51 = 200
    EXPECT_EQ(ops[8].kind, Kind::FillRect);
    EXPECT_TRUE(same_rect(ops[8].rect, {218, 14, 219, 38}));
    EXPECT_EQ(ops[8].color, EDGE);

    expect_text(ops[9], {"2 online", HUD_PRESENCE, 237, centred_y(26, HUD_PRESENCE, 1), DIM});
}

TEST_F(HudBlock, SeparatorSnapsToWholePixelsAtFractionalScales) {
    // s 1.5, a 1: state ends the first run at 72 + 1 + 10 + 27 = 110; elapsed 63.5 ends at 173.5.
    text.widths = {{"LIVE", 10}, {"12:04", 63.5}, {"2 online", 60}};
    paint(sample_hud(), 500, 78, 1, 1.5);
    const DrawOp sep = canvas.ops[8];
    EXPECT_TRUE(same_rect(sep.rect, {201, 21, 202, 57}));  // round(200.5) = 201, round(39 - 18) = 21, 36 high
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "2 online").origin.x, 173.5 + 54 + 1);
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "LIVE").origin.x, 73);
}

TEST_F(HudBlock, PresenceDecidesTheSeparator) {
    Hud hud = sample_hud();
    hud.presence.reset();
    paint(hud);
    EXPECT_EQ(canvas.ops.size(), 8u);
    EXPECT_EQ(test::ops_of(canvas.ops, Kind::FillRect).size(), 5u);

    canvas.ops.clear();
    hud.presence = "";
    paint(hud);
    ASSERT_EQ(canvas.ops.size(), 10u);
    EXPECT_EQ(canvas.ops[8].color, EDGE);
    EXPECT_EQ(times_drawn(canvas.ops, ""), 1);
}

TEST_F(HudBlock, DotAndStateColoursFallBackToSignal) {
    const struct {
        std::optional<std::string> text;
        Rgb color;
    } cases[] = {
        {"#00ff00", rgb_bytes(0, 255, 0)}, {"00FF00", SIGNAL}, {"#0F0", SIGNAL}, {std::nullopt, SIGNAL}};
    for (const auto& c : cases) {
        canvas.ops.clear();
        Hud hud = sample_hud();
        hud.dot = c.text;
        hud.state_color = c.text;
        paint(hud);
        EXPECT_EQ(test::ops_of(canvas.ops, Kind::FillEllipse).at(0).color, c.color)
            << c.text.value_or("none");
        EXPECT_EQ(drawn(canvas.ops, "LIVE").color, c.color);
    }
}

TEST_F(HudBlock, AMissingStateLeavesTheCursorAtItsStart) {
    text.failing.insert("LIVE");
    paint(sample_hud(), 400, 104, 2, 2);
    EXPECT_EQ(times_drawn(canvas.ops, "LIVE"), 0);
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "12:04").origin.x, 48 * 2 + 2);
}

TEST_F(HudBlock, TextsAreNeverTrimmed) {
    text.widths["12:04"] = 900;
    paint(sample_hud(), 300);
    EXPECT_FALSE(drawn(canvas.ops, "12:04").fit.has_value());
    EXPECT_EQ(text.requests.size(), 3u);
}

TEST_F(HudBlock, AFailingBrushLeavesOutOnlyItsElement) {
    RecordingCanvas inner;
    test::BrushFailingCanvas failing(inner, SIGNAL);  // the dot and the state text
    paint_hud(TextContext{failing, text, 1}, 400, 52, 1, 1, sample_hud());
    EXPECT_TRUE(test::ops_of(inner.ops, Kind::FillEllipse).empty());
    EXPECT_EQ(times_drawn(inner.ops, "LIVE"), 0);
    EXPECT_DOUBLE_EQ(drawn(inner.ops, "12:04").origin.x, 149);
    EXPECT_DOUBLE_EQ(drawn(inner.ops, "2 online").origin.x, 237);
}

class NightBlock : public ::testing::Test {
protected:
    void paint(const Night& night, double w = 300, double h = 42, double a = 1, double s = 1) {
        paint_night(TextContext{canvas, text, s}, w, h, a, s, night);
    }
    static Night night_of(std::optional<std::string> tag, std::string title) {
        Night night;
        night.tag = std::move(tag);
        night.title = std::move(title);
        return night;
    }
    RecordingCanvas canvas;
    MapTextService text;
};

TEST_F(NightBlock, TitleFollowsTheTagOrStartsAtTheEdge) {
    text.widths = {{"TAG", 40}, {"Night", 100}};
    for (const std::optional<std::string>& tag :
         {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        canvas.ops.clear();
        paint(night_of(tag, "Night"));
        EXPECT_EQ(canvas.ops.size(), 6u);
        EXPECT_DOUBLE_EQ(drawn(canvas.ops, "Night").origin.x, 19);
    }

    canvas.ops.clear();
    paint(night_of("TAG", "Night"));
    expect_text(drawn(canvas.ops, "TAG"), {"TAG", NIGHT_TAG, 19, centred_y(21, NIGHT_TAG, 1), MUTED});
    expect_text(drawn(canvas.ops, "Night"),
                {"Night", NIGHT_TITLE, 19 + 40 + 12, centred_y(21, NIGHT_TITLE, 1), SOFT});
    EXPECT_EQ(test::ops_of(canvas.ops, Kind::FillRect).at(0).alpha, 0.92);
}

TEST_F(NightBlock, LongTextsAreFittedToTheBlock) {
    // w 300, a 1, s 1: right = 281; the tag may take w - 2a - 36s = 262.
    text.widths = {{"TAG", 400}, {"Night", 500}};
    paint(night_of(std::nullopt, "Night"));
    EXPECT_EQ(drawn(canvas.ops, "Night").fit, 281.0 - 19);

    canvas.ops.clear();
    paint(night_of("TAG", "Night"));
    EXPECT_EQ(drawn(canvas.ops, "TAG").fit, 262.0);
    const DrawOp title = drawn(canvas.ops, "Night");
    EXPECT_DOUBLE_EQ(title.origin.x, 19 + 262 + 12);
    EXPECT_EQ(title.fit, 0.0);  // no room left: max(0, right - x)
}

TEST_F(NightBlock, TextsThatCannotBeMadeAreLeftOut) {
    text.widths = {{"TAG", 400}, {"Night", 500}};
    text.failing_fits = {"TAG"};
    paint(night_of("TAG", "Night"));
    EXPECT_EQ(times_drawn(canvas.ops, "TAG"), 0);
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "Night").origin.x, 19);

    // A title that does not fit and cannot be trimmed is not drawn at all.
    canvas.ops.clear();
    text.failing_fits = {"Night"};
    paint(night_of(std::nullopt, "Night"));
    EXPECT_EQ(times_drawn(canvas.ops, "Night"), 0);
    EXPECT_EQ(canvas.ops.size(), 5u);

    canvas.ops.clear();
    text.failing = {"Night"};
    paint(night_of(std::nullopt, "Night"));
    EXPECT_EQ(canvas.ops.size(), 5u);
}

}  // namespace
}  // namespace tolmin
