#include "paint/color.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TEST(ParseColor, ChannelsOrTheFallback) {
    const Rgb fallback = rgb_bytes(1, 2, 3);
    EXPECT_EQ(parse_color(std::nullopt, fallback), fallback);
    for (const auto& row : test::read_table("color.tsv")) {
        Rgb want = fallback;
        std::istringstream channels(row[1]);
        if (int r, g, b; row[1] != "fallback" && channels >> r >> g >> b)
            want = Rgb{r / 255.0, g / 255.0, b / 255.0};
        // Exact equality: a channel is exactly its byte over 255.
        EXPECT_EQ(parse_color(test::bytes(row[0]), fallback), want) << row.where();
    }
}

}  // namespace
}  // namespace tolmin
