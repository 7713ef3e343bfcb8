#include "paint/text_width.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace tolmin {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct WidthCase {
    double width, with_trailing, expected;
};

TEST(TextWidth, TakesTheLargerWidthAndSurvivesNaN) {
    const WidthCase cases[] = {
        {10.5, 10.5, 10.5}, {10.5, 24.0, 24.0},  // a text ending in blanks is as wide as its blanks
        {12.0, 3.0, 12.0},                       // an overhanging glyph can make the ink line the wider one
        {0.0, 0.0, 0.0},    {NaN, 7.0, 7.0},    {7.0, NaN, 7.0}, {NaN, NaN, 0.0},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << ", " << c.with_trailing);
        EXPECT_EQ(text_width(c.width, c.with_trailing), c.expected);
    }
}

}  // namespace
}  // namespace tolmin
