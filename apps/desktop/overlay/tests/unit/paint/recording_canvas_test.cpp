#include "paint/recording_canvas.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace tolmin {
namespace {

struct WidthCase {
    const char* name;
    std::string text;
    TextSpec spec;
    double scale;
    std::optional<double> fit;
    double width;
};

void PrintTo(const WidthCase& c, std::ostream* os) {
    *os << c.name;
}

class FixedTextWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(FixedTextWidths, CountsScalarValuesAndHonoursTheFit) {
    const WidthCase& c = GetParam();
    FixedTextService text;  // advance 0.5
    std::optional<TextBox> box = text.text_box(c.text, c.spec, c.scale, c.fit);
    ASSERT_TRUE(box.has_value());
    EXPECT_DOUBLE_EQ(box->width, c.width);
    EXPECT_DOUBLE_EQ(box->height, 1.2 * c.spec.size * c.scale);
    EXPECT_DOUBLE_EQ(box->top, 0);
    if (!c.fit) {
        EXPECT_DOUBLE_EQ(text.measure_text(c.text, c.spec, c.scale), c.width);
    }

    const auto* handle = dynamic_cast<const RecordedText*>(box->handle.get());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->text, c.text);
    EXPECT_EQ(handle->spec, c.spec);
    EXPECT_EQ(handle->fit, c.fit);  // the fit as asked, even when it was negative
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedTextWidths,
    ::testing::Values(WidthCase{"Empty", "", ALERT_TITLE, 1, std::nullopt, 0},
                      WidthCase{"Ascii", "abcd", ALERT_TITLE, 1, std::nullopt, 4 * 24 * 0.5},
                      WidthCase{"TrackingAndScale", "LIVE", HUD_STATE, 1.5, std::nullopt,
                                4 * 1.5 * 22 * 0.58},
                      WidthCase{"TwoByteSign",
                                "\xC3\x97"
                                "3",
                                TOAST_COUNT, 1, std::nullopt, 2 * 24 * 0.5},
                      WidthCase{"FourByteScalar", "\xF0\x9F\x99\x82", TOAST_TITLE, 1, std::nullopt, 14},
                      WidthCase{"TrailingSpacesCount", "ab  ", ALERT_DETAIL, 1, std::nullopt, 4 * 15 * 0.5},
                      WidthCase{"FitNarrower", "abcd", ALERT_TITLE, 1, 30.0, 30},
                      WidthCase{"FitWider", "abcd", ALERT_TITLE, 1, 100.0, 48},
                      WidthCase{"FitNegative", "abcd", ALERT_TITLE, 1, -5.0, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FixedTextService, FailingTextsCannotBeLaidOutNorMeasured) {
    FixedTextService text(1.0);
    text.failing_texts = {"bad"};
    EXPECT_FALSE(text.text_box("bad", ALERT_TITLE, 1, std::nullopt).has_value());
    EXPECT_FALSE(text.text_box("bad", ALERT_TITLE, 1, 10.0).has_value());
    EXPECT_DOUBLE_EQ(text.measure_text("bad", ALERT_TITLE, 1), 0);
    EXPECT_DOUBLE_EQ(text.measure_text("good", ALERT_TITLE, 1), 4 * 24);
}

TEST(FixedTextService, InvalidBytesCountAsTheReplacementsTheyWouldBecome) {
    FixedTextService text(1.0);
    // Invalid UTF-8 never reaches a text service; should it, it measures like its repaired form.
    EXPECT_DOUBLE_EQ(text.measure_text("\xE2\x82", TOAST_DETAIL, 1), 1 * 16);
    EXPECT_DOUBLE_EQ(text.measure_text("\xFF\xFE\x80", TOAST_DETAIL, 1), 3 * 16);
    EXPECT_DOUBLE_EQ(text.measure_text("a\xF0\x9F", TOAST_DETAIL, 1), 2 * 16);
}

TEST(RecordingCanvas, SimulatedFailuresRecordNothing) {
    RecordingCanvas canvas;
    canvas.fail_begin = Error{"no surface"};
    canvas.fail_present = Error{"no window"};
    canvas.fail_brushes = true;

    Result<void> begun = canvas.begin_surface(10, 10);
    ASSERT_FALSE(begun.ok());
    EXPECT_EQ(begun.error().text, "no surface");
    Result<void> shown = canvas.present_surface(0, 0, 10, 10);
    ASSERT_FALSE(shown.ok());
    EXPECT_EQ(shown.error().text, "no window");

    FixedTextService text;
    canvas.fill_rectangle({0, 0, 1, 1}, PANEL, 1);
    canvas.fill_ellipse({0, 0}, 1, 1, PANEL, 1);
    canvas.draw_text(*text.text_box("x", ALERT_TITLE, 1, std::nullopt), {0, 0}, PANEL, 1);
    EXPECT_TRUE(canvas.ops.empty());

    // Transforms and layers need no brush.
    canvas.set_transform(1, 2);
    canvas.push_layer(0.5);
    canvas.pop_layer();
    EXPECT_EQ(canvas.ops.size(), 3u);
}

}  // namespace
}  // namespace tolmin
