#include "paint/text_rules.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "unit/paint/paint_fakes.hpp"

namespace tolmin {
namespace {

using test::MapTextService;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct FitCase {
    const char* name;
    std::optional<std::string> text;
    double natural;  // width of the text without fitting
    double avail, used, gap;
    bool made;
    std::optional<double> fit;  // the fitting width asked for, if a trimmed box was made
    double width;
    bool trim_fails = false;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.name;
}

class FitText : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitText, KeepsFortyPercentOfTheRoomAndTrimsOnlyWhenNeeded) {
    const FitCase& c = GetParam();
    RecordingCanvas canvas;
    MapTextService text;
    text.widths["detail"] = c.natural;
    text.widths["broken"] = c.natural;
    text.failing.insert("broken");
    if (c.trim_fails) text.failing_fits.insert("detail");
    const TextContext ctx{canvas, text, 1.0};

    std::optional<TextBox> box = fit_text(ctx, c.text, ALERT_DETAIL, c.avail, c.used, c.gap);
    ASSERT_EQ(box.has_value(), c.made);
    if (box) {
        const auto* handle = dynamic_cast<const RecordedText*>(box->handle.get());
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(handle->fit, c.fit);
        EXPECT_DOUBLE_EQ(box->width, c.width);
    }
    EXPECT_LE(text.requests.size(), 2u);
    EXPECT_TRUE(canvas.ops.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitText,
    ::testing::Values(
        FitCase{"Absent", std::nullopt, 50, 410, 0, 16, false, std::nullopt, 0},
        FitCase{"Empty", std::string(), 50, 410, 0, 16, false, std::nullopt, 0},
        FitCase{"CannotBeLaidOut", std::string("broken"), 50, 410, 0, 16, false, std::nullopt, 0},
        FitCase{"FitsExactly", std::string("detail"), 94, 410, 300, 16, true, std::nullopt, 94},
        FitCase{"CutToTheFloor", std::string("detail"), 200, 410, 300, 16, true, 164.0, 164},
        FitCase{"CutToWhatTheTitleLeaves", std::string("detail"), 300, 410, 100, 16, true, 294.0, 294},
        FitCase{"WithinTheFloorStaysWhole", std::string("detail"), 30, 100, 90, 16, true, std::nullopt, 30},
        FitCase{"TrimmedBoxFails", std::string("detail"), 200, 410, 300, 16, false, std::nullopt, 0, true},
        FitCase{"NegativeRoom", std::string("detail"), 10, -10, 0, 16, true, -4.0, 0},
        FitCase{"RoomNotANumber", std::string("detail"), 10, NaN, 0, 0, true, std::nullopt, 10}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(TrimTo, RefitsOnlyWhatIsWiderAndKeepsTheBoxWhenTheRefitFails) {
    RecordingCanvas canvas;
    MapTextService text;
    text.widths["title"] = 300;
    const TextContext ctx{canvas, text, 1.0};

    TextBox box = *ctx.box("title", ALERT_TITLE);
    EXPECT_EQ(trim_to(ctx, "title", ALERT_TITLE, 300, box), Trim::Fits);
    EXPECT_EQ(text.requests.size(), 1u);

    text.failing_fits.insert("title");
    EXPECT_EQ(trim_to(ctx, "title", ALERT_TITLE, 230, box), Trim::Failed);
    EXPECT_DOUBLE_EQ(box.width, 300);

    text.failing_fits.clear();
    EXPECT_EQ(trim_to(ctx, "title", ALERT_TITLE, 230, box), Trim::Trimmed);
    EXPECT_DOUBLE_EQ(box.width, 230);
    EXPECT_EQ(dynamic_cast<const RecordedText&>(*box.handle).fit, 230.0);
}

TEST(Panel, BackgroundThenFourStripsThatDoNotOverlap) {
    RecordingCanvas canvas;
    panel(canvas, 100, 40, 2, PANEL, 0.92, EDGE);
    ASSERT_EQ(canvas.ops.size(), 5u);
    const RectF want[] = {{0, 0, 100, 40}, {0, 0, 100, 2}, {0, 38, 100, 40}, {0, 2, 2, 38}, {98, 2, 100, 38}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(canvas.ops[i].kind, DrawOp::Kind::FillRect);
        EXPECT_TRUE(test::same_rect(canvas.ops[i].rect, want[i])) << i;
        EXPECT_EQ(canvas.ops[i].color, i == 0 ? PANEL : EDGE);
        EXPECT_DOUBLE_EQ(canvas.ops[i].alpha, i == 0 ? 0.92 : 1.0);
    }

    RecordingCanvas bare;
    panel(bare, 100, 40, 2, PANEL, 0.94, std::nullopt);
    EXPECT_EQ(bare.ops.size(), 1u);
}

TEST(PlaceText, CentresTheBoxOnTheLineAndRightAlignsByItsWidth) {
    RecordingCanvas canvas;
    MapTextService text;
    text.widths["t"] = 40;
    text.top = 3;
    const TextContext ctx{canvas, text, 2.0};
    const TextBox box = *ctx.box("t", TOAST_TIME);  // 48 high at scale 2

    place_text(canvas, box, 10, 30, LIME, 0.72);
    place_text_right(canvas, box, 200, 30, LIME);
    ASSERT_EQ(canvas.ops.size(), 2u);
    EXPECT_DOUBLE_EQ(canvas.ops[0].origin.x, 10);
    EXPECT_DOUBLE_EQ(canvas.ops[0].origin.y, 30 - 24 - 3);
    EXPECT_DOUBLE_EQ(canvas.ops[0].alpha, 0.72);
    EXPECT_DOUBLE_EQ(canvas.ops[1].origin.x, 160);
    EXPECT_DOUBLE_EQ(canvas.ops[1].alpha, 1.0);
}

}  // namespace
}  // namespace tolmin
