// count_label and has_detail, the two values derived from a toast.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/parse_frame.hpp"
#include "unit/model/frame_text.hpp"

namespace tolmin {
namespace {

const std::string TIMES = "\xC3\x97";  // U+00D7 MULTIPLICATION SIGN

TEST(CountLabel, RoundsHalfAwayFromZeroAndSaturates) {
    const struct {
        double value;
        std::string label;
    } cases[] = {
        {3.0, TIMES + "3"},
        {2.5, TIMES + "3"},
        {-2.5, TIMES + "-3"},
        {0.4, TIMES + "0"},
        {-0.4, TIMES + "0"},
        {-0.5, TIMES + "-1"},
        {0.49999999999999994, TIMES + "0"},
        {4503599627370497.0, TIMES + "4503599627370497"},
        {1e15 + 0.5, TIMES + "1000000000000001"},
        {std::numeric_limits<double>::quiet_NaN(), TIMES + "0"},
        {9223372036854775807.0, TIMES + "9223372036854775807"},  // 2^63 exactly: above the range
        {1e300, TIMES + "9223372036854775807"},
        {std::numeric_limits<double>::infinity(), TIMES + "9223372036854775807"},
        {-9223372036854775808.0, TIMES + "-9223372036854775808"},
        {-1e300, TIMES + "-9223372036854775808"},
        {-std::numeric_limits<double>::infinity(), TIMES + "-9223372036854775808"},
    };
    for (const auto& c : cases) EXPECT_EQ(count_label(Count(c.value)), c.label) << c.value;
}

TEST(CountLabel, TextIsShownUnchanged) {
    EXPECT_EQ(count_label(Count(std::string("x12"))), "x12");
    EXPECT_EQ(count_label(Count(std::string(""))), "");
    EXPECT_EQ(count_label(Count(std::string(" 3 "))), " 3 ");
}

TEST(CountLabel, FromParsedToasts) {
    const Frame frame = test::parsed_frame(
        R"({"toasts":[{"count":3},{"count":2.5},{"count":-0.5},{"count":"x12"},{"count":""},{"count":1e2}]})");
    ASSERT_EQ(frame.toasts.size(), 6u);
    const std::string labels[] = {TIMES + "3", TIMES + "3", TIMES + "-1", "x12", "", TIMES + "100"};
    for (std::size_t i = 0; i < 6; ++i) {
        ASSERT_TRUE(frame.toasts[i].count) << i;
        EXPECT_EQ(count_label(*frame.toasts[i].count), labels[i]) << i;
    }
}

TEST(HasDetail, IsTrueForTextBeyondWhiteSpace) {
    const struct {
        std::optional<std::string> detail;
        bool expected;
    } cases[] = {
        {std::nullopt, false},
        {"", false},
        {" \t ", false},
        {"\xC2\xA0\xE3\x80\x80\xE2\x80\xA9", false},  // U+00A0 U+3000 U+2029
        {"x", true},
        {" x ", true},
        {"\xE2\x80\x8B", true},  // U+200B ZERO WIDTH SPACE is not White_Space
    };
    for (const auto& c : cases) {
        Toast toast;
        toast.detail = c.detail;
        EXPECT_EQ(has_detail(toast), c.expected) << c.detail.value_or("<none>");
    }
    EXPECT_FALSE(has_detail(test::parsed_frame(R"({"toasts":[{"detail":" \t "}]})").toasts.at(0)));
    EXPECT_TRUE(has_detail(test::parsed_frame(R"({"toasts":[{"detail":"x"}]})").toasts.at(0)));
    EXPECT_FALSE(has_detail(test::parsed_frame(R"({"toasts":[{}]})").toasts.at(0)));
}

}  // namespace
}  // namespace tolmin
