#include "paint/color.hpp"

#include <gtest/gtest.h>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(ParseColor, "tables/color.tsv", 1);

TEST_P(ParseColor, ChannelsOrTheFallback) {
    const Rgb fallback = rgb_bytes(1, 2, 3);
    const auto channels =
        GetParam()[1] == "fallback" ? std::vector<double>{1, 2, 3} : test::nums(GetParam()[1]);
    // Exact equality: a channel is exactly its byte over 255.
    EXPECT_EQ(parse_color(test::bytes(GetParam()[0]), fallback),
              (Rgb{channels[0] / 255, channels[1] / 255, channels[2] / 255}));
}

TEST(ParseColorOfNoText, GivesTheFallback) {
    EXPECT_EQ(parse_color(std::nullopt, rgb_bytes(1, 2, 3)), rgb_bytes(1, 2, 3));
}

}  // namespace
}  // namespace tolmin
