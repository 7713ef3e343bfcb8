// count_label at its edges (the common values, and has_detail, are rows of tests/data/frame_lines.tsv).

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "model/parse_frame.hpp"

namespace tolmin {
namespace {

TEST(CountLabel, RoundsHalfAwayFromZeroAndSaturates) {
    constexpr double INF = std::numeric_limits<double>::infinity();
    const std::pair<double, std::string> cases[] = {
        {-2.5, "-3"},
        {-0.4, "0"},
        {0.49999999999999994, "0"},
        {4503599627370497.0, "4503599627370497"},
        {1e15 + 0.5, "1000000000000001"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
        {9223372036854775807.0, "9223372036854775807"},  // 2^63 exactly: above the range
        {INF, "9223372036854775807"},
        {-9223372036854775808.0, "-9223372036854775808"},
        {-1e300, "-9223372036854775808"},
        {-INF, "-9223372036854775808"},
    };
    for (const auto& [value, digits] : cases)
        EXPECT_EQ(count_label(Count(value)), "\xC3\x97" + digits) << value;
    EXPECT_EQ(count_label(Count(std::string(" 3 "))), " 3 ");
}

}  // namespace
}  // namespace tolmin
