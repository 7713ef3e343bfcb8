#include "layout/placement.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace tolmin {
namespace {

constexpr std::int32_t I32_MAX = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t I32_MIN = std::numeric_limits<std::int32_t>::min();

Monitor monitor_at(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    Monitor monitor;
    monitor.x = x;
    monitor.y = y;
    monitor.width = width;
    monitor.height = height;
    return monitor;
}

Layout layout_of(Anchor anchor, std::int32_t width, std::int32_t height, std::int32_t margin_x,
                 std::int32_t margin_y) {
    Layout layout;
    layout.anchor = anchor;
    layout.width = width;
    layout.height = height;
    layout.margin_x = margin_x;
    layout.margin_y = margin_y;
    return layout;
}

TEST(PlaceWindow, EachAnchorMeasuresFromItsCorner) {
    const struct {
        Monitor monitor;
        Anchor anchor;
        Placement expected;
    } cases[] = {
        {monitor_at(0, 0, 1920, 1080), Anchor::BottomRight, {1436, 1004, 468, 52}},
        {monitor_at(0, 0, 1920, 1080), Anchor::BottomLeft, {16, 1004, 468, 52}},
        {monitor_at(0, 0, 1920, 1080), Anchor::TopRight, {1436, 24, 468, 52}},
        {monitor_at(0, 0, 1920, 1080), Anchor::TopLeft, {16, 24, 468, 52}},
        {monitor_at(-2560, -200, 2560, 1440), Anchor::TopLeft, {-2544, -176, 468, 52}},
        {monitor_at(-2560, -200, 2560, 1440), Anchor::BottomRight, {-484, 1164, 468, 52}},
        {monitor_at(1920, 0, 3840, 2160), Anchor::TopRight, {5276, 24, 468, 52}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(place_window(c.monitor, layout_of(c.anchor, 468, 52, 16, 24)), c.expected)
            << anchor_name(c.anchor) << " at " << c.monitor.x;
    }
}

TEST(PlaceWindow, ExtremeValuesSaturate) {
    EXPECT_EQ(place_window(monitor_at(I32_MAX, I32_MAX, I32_MAX, I32_MAX),
                           layout_of(Anchor::TopLeft, 10, 10, I32_MAX, I32_MAX)),
              (Placement{I32_MAX, I32_MAX, 10, 10}));
    EXPECT_EQ(place_window(monitor_at(I32_MIN, I32_MIN, 0, 0),
                           layout_of(Anchor::BottomRight, I32_MAX, I32_MAX, I32_MAX, I32_MAX)),
              (Placement{I32_MIN, I32_MIN, I32_MAX, I32_MAX}));
    // A result that returns into range is exact even when a partial sum left it.
    EXPECT_EQ(place_window(monitor_at(I32_MAX, 0, I32_MAX, 100),
                           layout_of(Anchor::TopRight, I32_MAX, 10, I32_MAX, 0)),
              (Placement{0, 0, I32_MAX, 10}));
}

}  // namespace
}  // namespace tolmin
