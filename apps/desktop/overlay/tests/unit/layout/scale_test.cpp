#include "layout/scale.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tolmin {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t I32_MAX = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t I32_MIN = std::numeric_limits<std::int32_t>::min();

TEST(SaturateRound, HalvesAwayFromZeroAndSaturates) {
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {0.5, 1},
        {-0.5, -1},
        {1.49999, 1},
        {2.5, 3},
        {-2.5, -3},
        {52.5, 53},
        {-0.0, 0},
        {NaN, 0},
        {INF, I32_MAX},
        {-INF, I32_MIN},
        {1e12, I32_MAX},
        {-1e12, I32_MIN},
        {2147483646.6, I32_MAX},
        {2147483647.4, I32_MAX},
        {-2147483648.4, I32_MIN},
        {-2147483647.0, -2147483647},
    };
    for (const auto& c : cases) EXPECT_EQ(saturate_round(c.value), c.expected) << c.value;
}

TEST(SaturateCeil, RoundsUpAndSaturates) {
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {342.0, 342},    {342.0001, 343},         {-0.9, 0},      {-1.1, -1},      {NaN, 0}, {INF, I32_MAX},
        {-INF, I32_MIN}, {2147483646.5, I32_MAX}, {3e9, I32_MAX}, {-3e9, I32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(saturate_ceil(c.value), c.expected) << c.value;
}

TEST(SaturateI32, ClampsSixtyFourBitSums) {
    EXPECT_EQ(saturate_i32(std::int64_t{I32_MAX} + 1), I32_MAX);
    EXPECT_EQ(saturate_i32(std::int64_t{I32_MIN} - 1), I32_MIN);
    EXPECT_EQ(saturate_i32(-7), -7);
}

TEST(OverlayScale, QuarterStepsOfTheHeightTimesTheUserScale) {
    const struct {
        double height_dip;
        double user;
        double expected;
    } cases[] = {
        {1080, 1, 1.0},    {1440, 1, 1.25}, {2160, 1, 2.0},     {768, 1, 1.0},  // never below 1
        {1214, 1, 1.0},    {1215, 1, 1.25},                                     // 4.5 rounds up
        {1484, 1, 1.25},   {1485, 1, 1.5},  {1755, 1, 1.75},    {2025, 1, 2.0},
        {4320, 1, 2.0},                                          // never above 2
        {1080, 3, 3.0},    {2160, 3, 6.0},  {1440, 0.5, 0.625},  // no bound on the product
        {1080, 0, 1.0},    {1080, -1, 1.0}, {1080, NaN, 1.0},   {1080, INF, 1.0},
        {1080, -INF, 1.0}, {0, 1, 1.0},     {-1440, 1, 1.0},    {NaN, 2, 2.0},
        {INF, 1, 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(overlay_scale(c.height_dip, c.user), c.expected) << c.height_dip << " x " << c.user;
    }
}

TEST(FrameScale, HeightInDipsThenTheDpiFactor) {
    const struct {
        std::int32_t height;
        std::uint32_t dpi;
        double user;
        double expected;
    } cases[] = {
        {1080, 96, 1, 1.0},  {1440, 96, 1, 1.25}, {2160, 144, 1, 1.875},  // 1440 dips: 1.25, times 1.5
        {2160, 96, 1, 2.0},  {768, 96, 1, 1.0},   {1080, 96, 3, 3.0},
        {1215, 96, 1, 1.25}, {1214, 96, 1, 1.0},  {1600, 120, 1, 1.5625},  // 1280 dips: 1.25, times 1.25
        {2160, 0, 1, 2.0},                                                 // dpi 0: no factor
        {0, 96, 1, 1.0},     {-1080, 96, 1, 1.0}, {1080, 192, 1, 2.0},     // 540 dips: 1.0, times 2
    };
    for (const auto& c : cases) {
        Monitor monitor;
        monitor.width = 1;
        monitor.height = c.height;
        monitor.dpi = c.dpi;
        EXPECT_DOUBLE_EQ(frame_scale(monitor, c.user), c.expected) << c.height << "@" << c.dpi;
    }
}

TEST(FrameScale, HeightIsRoundedToWholeDipsBeforeTheRule) {
    // 1822 px at 144 dpi is 1214.67 dips, which rounds to 1215 and so takes the next quarter step.
    Monitor monitor;
    monitor.height = 1822;
    monitor.dpi = 144;
    EXPECT_DOUBLE_EQ(frame_scale(monitor, 1), 1.25 * 1.5);
}

}  // namespace
}  // namespace tolmin
