// The text layouts kept from paint to paint: made once per key, the least recently used dropped first, and
// a key with a NaN (which equals nothing) never kept.

#include "paint/text_cache.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tolmin {
namespace {

TEST(TextCache, MakesEachKeyOnceAndDropsTheLeastRecentlyUsed) {
    TextCache<std::string> cache(2);
    int made = 0;
    const auto get = [&](std::string_view text, double scale, std::optional<double> fit = std::nullopt) {
        return cache.get(text, TOAST_TITLE, scale, fit,
                         [&] { return std::string(text) + std::to_string(++made); });
    };
    EXPECT_EQ(get("a", 1), "a1");
    EXPECT_EQ(get("a", 1.5), "a2");  // another scale
    EXPECT_EQ(get("a", 1), "a1");    // now the most recent
    EXPECT_EQ(get("b", 1, 40.0), "b3");
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(get("a", 1), "a1");    // kept
    EXPECT_EQ(get("a", 1.5), "a4");  // was dropped
    EXPECT_EQ(get("a", NAN), "a5");
    EXPECT_EQ(get("a", NAN), "a6");
    EXPECT_EQ(cache.size(), 2u);
}

}  // namespace
}  // namespace tolmin
