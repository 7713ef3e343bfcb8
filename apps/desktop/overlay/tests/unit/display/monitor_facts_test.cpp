#include "display/monitor_facts.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tolmin {
namespace {

// The system hands over the device name as 32 UTF-16 units, padded with NULs.
std::u16string padded(std::u16string text) {
    text.resize(32, u'\0');
    return text;
}

struct NameCase {
    const char* label;
    std::u16string units;
    std::optional<std::string> expected;
};

TEST(DeviceName, DecodesAndTrimsTrailingNuls) {
    const std::u16string full(32, u'A');
    const NameCase cases[] = {
        {"display", padded(u"\\\\.\\DISPLAY1"), std::string("\\\\.\\DISPLAY1")},
        {"all padding", padded(u""), std::nullopt},
        {"empty array", u"", std::nullopt},
        {"no terminator", full, std::string(32, 'A')},
        {"inner nul kept", padded(std::u16string(u"A\0B", 3)), std::string("A\0B", 3)},
        {"non-ascii", padded(u"\u00c9cran \u2460"),
         std::string("\xc3\x89"
                     "cran \xe2\x91\xa0")},
        {"astral pair", padded(u"\U0001F600"), std::string("\xf0\x9f\x98\x80")},
        {"lone high surrogate", padded(std::u16string(1, char16_t(0xD800))), std::string("\xef\xbf\xbd")},
        {"lone low surrogate then text", padded(std::u16string{char16_t(0xDC00), u'x'}),
         std::string("\xef\xbf\xbdx")},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(device_name(c.units), c.expected) << c.label;
    }
}

TEST(MonitorFromFacts, CopiesTheRectangleAndDpi) {
    const std::u16string name = padded(u"\\\\.\\DISPLAY2");
    const Monitor m = monitor_from_facts({name, -3840, 0, 0, 2160, 144, 0});
    ASSERT_TRUE(m.name.has_value());
    EXPECT_EQ(*m.name, "\\\\.\\DISPLAY2");
    EXPECT_EQ(m.x, -3840);
    EXPECT_EQ(m.y, 0);
    EXPECT_EQ(m.width, 3840);
    EXPECT_EQ(m.height, 2160);
    EXPECT_EQ(m.dpi, 144u);
    EXPECT_FALSE(m.primary);
}

TEST(MonitorFromFacts, PrimaryIsBitZeroOnly) {
    const std::u16string name = padded(u"");
    const struct {
        std::uint32_t flags;
        bool primary;
    } cases[] = {{0x0, false}, {0x1, true},         {0x2, false},
                 {0x3, true},  {0xFFFFFFFE, false}, {0xFFFFFFFF, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(monitor_from_facts({name, 0, 0, 10, 10, 96, c.flags}).primary, c.primary) << c.flags;
    }
    EXPECT_FALSE(monitor_from_facts({name, 0, 0, 10, 10, 96, 1}).name.has_value());
}

TEST(MonitorFromFacts, SaturatesEdgeDifferences) {
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    const struct {
        std::int32_t left, top, right, bottom;
        std::int32_t width, height;
    } cases[] = {
        {lo, lo, hi, hi, hi, hi},  // wider than 32 bits: saturated, not wrapped
        {hi, hi, lo, lo, lo, lo},  // reversed the other way round
        {10, 20, 5, 8, -5, -12},   // a reversed rectangle keeps its (negative) size
        {-100, -50, 100, 50, 200, 100},
    };
    for (const auto& c : cases) {
        const Monitor m = monitor_from_facts({u"", c.left, c.top, c.right, c.bottom, 96, 0});
        EXPECT_EQ(m.width, c.width) << c.left << ".." << c.right;
        EXPECT_EQ(m.height, c.height) << c.top << ".." << c.bottom;
        EXPECT_EQ(m.x, c.left);
        EXPECT_EQ(m.y, c.top);
    }
}

}  // namespace
}  // namespace tolmin
