// The checker's deterministic text service: n Unicode scalar values are n x scale x size x (advance +
// tracking) wide, a box never wider than its fit.

#include "paint/recording_canvas.hpp"

#include <gtest/gtest.h>

namespace tolmin {
namespace {

TEST(FixedTextService, CountsScalarValuesAndHonoursTheFit) {
    const struct {
        std::string text;
        TextSpec spec;
        double scale;
        std::optional<double> fit;
        double width;
    } cases[] = {
        {"", ALERT_TITLE, 1, std::nullopt, 0},
        {"LIVE", HUD_STATE, 1.5, std::nullopt, 4 * 1.5 * 22 * 0.58},
        {"\xC3\x97"
         "3",
         TOAST_COUNT, 1, std::nullopt, 2 * 24 * 0.5},
        {"\xF0\x9F\x99\x82", TOAST_TITLE, 1, std::nullopt, 14},
        {"ab  ", ALERT_DETAIL, 1, std::nullopt, 4 * 15 * 0.5},
        {"\xE2\x82\xFF\xFE", ALERT_DETAIL, 1, std::nullopt, 3 * 15 * 0.5},  // as repaired: three U+FFFD
        {"abcd", ALERT_TITLE, 1, 30.0, 30},
        {"abcd", ALERT_TITLE, 1, 100.0, 48},
        {"abcd", ALERT_TITLE, 1, -5.0, 0},
    };
    FixedTextService text;  // advance 0.5
    for (const auto& c : cases) {
        std::optional<TextBox> box = text.text_box(c.text, c.spec, c.scale, c.fit);
        ASSERT_TRUE(box.has_value());
        EXPECT_DOUBLE_EQ(box->width, c.width) << c.text;
        if (!c.fit) {
            EXPECT_DOUBLE_EQ(text.measure_text(c.text, c.spec, c.scale), c.width) << c.text;
        }
    }
}

}  // namespace
}  // namespace tolmin
