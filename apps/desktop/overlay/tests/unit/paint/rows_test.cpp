#include "paint/rows.hpp"

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

const std::string TIMES3 =
    "\xC3\x97"
    "3";  // the count label of 3

class Rows : public ::testing::Test {
protected:
    void alert(const Alert& a, double w = 460, double h = 52) {
        paint_alert(TextContext{canvas, text, 1}, w, h, 1, 1, a);
    }
    void toast(const Toast& t, double h) { paint_toast(TextContext{canvas, text, 1}, 460, h, 1, 1, t); }
    std::vector<DrawOp> fills() const { return test::ops_of(canvas.ops, Kind::FillRect); }

    RecordingCanvas canvas;
    MapTextService text;
};

Alert make_alert(std::string title, std::optional<std::string> detail) {
    Alert a;
    a.title = std::move(title);
    a.detail = std::move(detail);
    return a;
}

TEST_F(Rows, AlertDrawsPanelBarTitleAndRightAlignedDetail) {
    text.widths = {{"Disk", 100}, {"90%", 50}};
    alert(make_alert("Disk", "90%"));
    ASSERT_EQ(canvas.ops.size(), 8u);
    EXPECT_DOUBLE_EQ(canvas.ops[0].alpha, 0.94);
    EXPECT_EQ(canvas.ops[4].color, EDGE);
    EXPECT_TRUE(same_rect(canvas.ops[5].rect, {1, 1, 13, 51}));
    EXPECT_EQ(canvas.ops[5].color, SIGNAL);

    expect_text(canvas.ops[6], {"Disk", ALERT_TITLE, 31, centred_y(26, ALERT_TITLE, 1), BRIGHT});
    expect_text(canvas.ops[7], {"90%", ALERT_DETAIL, 441 - 50, centred_y(26, ALERT_DETAIL, 1), SOFT});
}

TEST_F(Rows, AlertDetailKeepsFortyPercentAndTheTitleTakesTheRest) {
    text.widths = {{"T", 300}, {"D", 200}};
    alert(make_alert("T", "D"));
    const DrawOp detail = drawn(canvas.ops, "D");
    EXPECT_EQ(detail.fit, 164.0);
    EXPECT_DOUBLE_EQ(detail.origin.x, 441 - 164);
    EXPECT_EQ(drawn(canvas.ops, "T").fit, 230.0);
    EXPECT_LE(text.requests_for("T"), 2);
    EXPECT_LE(text.requests_for("D"), 2);
}

TEST_F(Rows, AlertWithoutDetailGivesTheTitleTheWholeRoom) {
    text.widths = {{"T", 500}, {"Fits", 410}, {"bad", 50}};
    text.failing = {"bad"};
    for (const std::optional<std::string>& detail :
         {std::optional<std::string>{}, std::optional<std::string>{""}, std::optional<std::string>{"bad"}}) {
        canvas.ops.clear();
        alert(make_alert("T", detail));
        EXPECT_EQ(drawn(canvas.ops, "T").fit, 410.0);
        EXPECT_EQ(canvas.ops.size(), 7u);
    }
    canvas.ops.clear();
    alert(make_alert("Fits", std::nullopt));
    EXPECT_FALSE(drawn(canvas.ops, "Fits").fit.has_value());
}

TEST_F(Rows, AlertColoursComeFromTheFieldsWithFallbacks) {
    Alert a = make_alert("T", "D");
    a.bar = "#3399FF";
    a.title_color = "#010203";
    a.detail_color = "#0A0B0C";
    alert(a);
    EXPECT_EQ(fills()[5].color, rgb_bytes(0x33, 0x99, 0xFF));
    EXPECT_EQ(drawn(canvas.ops, "T").color, rgb_bytes(1, 2, 3));
    EXPECT_EQ(drawn(canvas.ops, "D").color, rgb_bytes(10, 11, 12));

    canvas.ops.clear();
    a.bar = "red";
    a.title_color = "white";
    a.detail_color = "#0A0B0";
    alert(a);
    EXPECT_EQ(fills()[5].color, SIGNAL);
    EXPECT_EQ(drawn(canvas.ops, "T").color, BRIGHT);
    EXPECT_EQ(drawn(canvas.ops, "D").color, SOFT);
}

TEST_F(Rows, AlertTitleFailuresEndTheBlockOrKeepTheUntrimmedTitle) {
    text.widths = {{"T", 500}, {"D", 50}};
    text.failing_fits = {"T"};
    alert(make_alert("T", "D"));
    EXPECT_FALSE(drawn(canvas.ops, "T").fit.has_value());
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "D").origin.x, 391);

    canvas.ops.clear();
    text.failing = {"T"};
    alert(make_alert("T", "D"));
    EXPECT_EQ(canvas.ops.size(), 6u);  // panel and bar only
}

Toast make_toast(ToastKind kind, std::string title) {
    Toast t;
    t.kind = kind;
    t.title = std::move(title);
    t.time = "12:04";
    return t;
}

TEST_F(Rows, MarkerWithCountShowsTheLabelAfterTheTitle) {
    text.widths = {{"Goal", 100}, {TIMES3, 20}, {"12:04", 50}};
    Toast t = make_toast(ToastKind::Marker, "Goal");
    t.count = Count{3.0};
    toast(t, 64);
    ASSERT_EQ(canvas.ops.size(), 5u);
    EXPECT_TRUE(same_rect(canvas.ops[0].rect, {0, 0, 460, 64}));
    EXPECT_DOUBLE_EQ(canvas.ops[0].alpha, 0.94);
    EXPECT_TRUE(same_rect(canvas.ops[1].rect, {0, 0, 8, 64}));
    EXPECT_EQ(canvas.ops[1].color, DIM);

    expect_text(canvas.ops[2], {"Goal", TOAST_TITLE, 28, centred_y(32, TOAST_TITLE, 1), BRIGHT});
    expect_text(canvas.ops[3], {TIMES3, TOAST_COUNT, 28 + 100 + 16, centred_y(32, TOAST_COUNT, 1), LIME});
    expect_text(canvas.ops[4], {"12:04", TOAST_TIME, 440 - 50, centred_y(32, TOAST_TIME, 1), LIME});
}

TEST_F(Rows, MarkerWithoutALabelUsesTheLargerTime) {
    for (const std::optional<Count>& count :
         {std::optional<Count>{}, std::optional<Count>{Count{std::string()}}}) {
        canvas.ops.clear();
        Toast t = make_toast(ToastKind::Marker, "Goal");
        t.count = count;
        toast(t, 64);
        EXPECT_EQ(canvas.ops.size(), 4u);
        EXPECT_EQ(drawn(canvas.ops, "12:04").spec, TOAST_TIME_ALONE);
    }
}

TEST_F(Rows, MarkerTitleRoomLeavesSpaceForLabelAndTime) {
    text.widths = {{"Goal", 500}, {TIMES3, 20}, {"12:04", 50}};
    Toast t = make_toast(ToastKind::Marker, "Goal");
    t.count = Count{3.0};
    toast(t, 64);
    // avail 412 - label 36 - time 66; the label follows the trimmed title
    EXPECT_EQ(drawn(canvas.ops, "Goal").fit, 310.0);
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, TIMES3).origin.x, 28 + 310 + 16);

    canvas.ops.clear();
    t.time.reset();
    toast(t, 64);
    EXPECT_EQ(drawn(canvas.ops, "Goal").fit, 376.0);
}

TEST_F(Rows, MarkerDetailMakesTwoLinesCentredTogether) {
    text.top = 1.5;
    text.widths = {{"Goal", 100}, {" Scored by 9 ", 120}, {"wide", 900}};
    Toast t = make_toast(ToastKind::Marker, "Goal");
    t.detail = " Scored by 9 ";
    t.detail_color = "#102030";
    toast(t, 84);
    // line = title 33.6 (time alone 28.8); detail 19.2 high; top = (84 - 54.8) / 2 = 14.6
    const DrawOp title = drawn(canvas.ops, "Goal");
    EXPECT_NEAR(title.origin.y, 14.6 + 16.8 - 16.8 - 1.5, 1e-9);
    EXPECT_NEAR(drawn(canvas.ops, "12:04").origin.y, 31.4 - 14.4 - 1.5, 1e-9);
    // the whole text, white space included
    expect_text(drawn(canvas.ops, " Scored by 9 "),
                {" Scored by 9 ", TOAST_DETAIL, 28, 14.6 + 33.6 + 2 - 1.5, rgb_bytes(0x10, 0x20, 0x30)});

    canvas.ops.clear();
    t.detail = "wide";
    toast(t, 84);
    EXPECT_EQ(drawn(canvas.ops, "wide").fit, 412.0);

    canvas.ops.clear();
    t.detail = " \t ";
    toast(t, 64);
    EXPECT_EQ(canvas.ops.size(), 4u);
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "Goal").origin.y, centred_y(32, TOAST_TITLE, 1, 1.5));
}

TEST_F(Rows, MarkerWithoutTitleKeepsOnlyItsBars) {
    text.failing = {"Goal"};
    Toast t = make_toast(ToastKind::Marker, "Goal");
    t.tick = "#3399FF";
    toast(t, 64);
    ASSERT_EQ(canvas.ops.size(), 2u);
    EXPECT_EQ(canvas.ops[1].color, rgb_bytes(0x33, 0x99, 0xFF));
}

TEST_F(Rows, CallerDrawsDarkTextOnALimeCard) {
    text.widths = {{"1", 30}, {"Caller", 100}, {"12:04", 40}};
    Toast t = make_toast(ToastKind::Caller, "Caller");
    t.index = "1";
    t.detail = "never shown";
    t.title_color = "#FFFFFF";
    t.time_color = "#FFFFFF";
    toast(t, 72);
    ASSERT_EQ(canvas.ops.size(), 4u);
    EXPECT_TRUE(same_rect(canvas.ops[0].rect, {0, 0, 460, 72}));
    EXPECT_EQ(canvas.ops[0].color, LIME);
    EXPECT_DOUBLE_EQ(canvas.ops[0].alpha, 1.0);

    expect_text(canvas.ops[1], {"1", TOAST_INDEX, 20, centred_y(36, TOAST_INDEX, 1), PANEL});
    expect_text(canvas.ops[2], {"Caller", CALLER_TITLE, 70, centred_y(36, CALLER_TITLE, 1), PANEL});
    expect_text(canvas.ops[3],
                {"12:04", TOAST_TIME, 400, centred_y(36, TOAST_TIME, 1), PANEL, std::nullopt, 0.72});
}

TEST_F(Rows, SameDrawsIndexTitleAndAnyNonEmptyDetail) {
    text.widths = {{"2", 30}, {"Same", 100}, {"   ", 24}};
    Toast t = make_toast(ToastKind::Same, "Same");
    t.index = "2";
    t.detail = "   ";
    toast(t, 72);
    ASSERT_EQ(canvas.ops.size(), 8u);
    EXPECT_EQ(canvas.ops[0].color, PANEL);
    EXPECT_DOUBLE_EQ(canvas.ops[0].alpha, 0.94);
    for (int i = 1; i < 5; ++i) EXPECT_EQ(canvas.ops[i].color, LIME);

    expect_text(canvas.ops[5], {"2", TOAST_INDEX, 21, centred_y(36, TOAST_INDEX, 1), LIME});
    expect_text(canvas.ops[6], {"Same", TOAST_TITLE, 21 + 30 + 20, centred_y(36, TOAST_TITLE, 1), SOFT});
    expect_text(canvas.ops[7], {"   ", TOAST_DETAIL, 439 - 24, centred_y(36, TOAST_DETAIL, 1), DIM});
    EXPECT_EQ(times_drawn(canvas.ops, "12:04"), 0);

    for (const std::optional<std::string>& index :
         {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        canvas.ops.clear();
        t.index = index;
        t.detail = "";
        toast(t, 72);
        EXPECT_EQ(canvas.ops.size(), 6u);
        EXPECT_DOUBLE_EQ(drawn(canvas.ops, "Same").origin.x, 21);
    }
}

TEST_F(Rows, ToastRowSharesTheRoomLikeAnAlert) {
    // left 71 after the index, right 439: avail 368; the detail keeps 40 % (147.2), the title the rest.
    text.widths = {{"2", 30}, {"Same", 400}, {"detail", 200}};
    Toast t = make_toast(ToastKind::Same, "Same");
    t.index = "2";
    t.detail = "detail";
    toast(t, 72);
    EXPECT_NEAR(*drawn(canvas.ops, "detail").fit, 147.2, 1e-9);
    EXPECT_NEAR(*drawn(canvas.ops, "Same").fit, 368 - 167.2, 1e-9);

    // A failing index takes no room; a failing title ends the row after the index.
    canvas.ops.clear();
    text.failing = {"2"};
    toast(t, 72);
    EXPECT_DOUBLE_EQ(drawn(canvas.ops, "Same").origin.x, 21);
    canvas.ops.clear();
    text.failing = {"Same"};
    toast(t, 72);
    EXPECT_EQ(canvas.ops.size(), 6u);
    EXPECT_EQ(canvas.ops.back().text, "2");
}

TEST_F(Rows, UnrecognizedToastDrawsNothing) {
    toast(make_toast(ToastKind::Unrecognized, "x"), 72);
    EXPECT_TRUE(canvas.ops.empty());
    EXPECT_TRUE(text.requests.empty());
}

}  // namespace
}  // namespace tolmin
