#include "layout/frame_plan.hpp"

#include <gtest/gtest.h>

#include "unit/layout/fake_measurer.hpp"

namespace tolmin {
namespace {

using testing::FakeMeasurer;

Monitor monitor(const char* name, int x, int width, int height, unsigned dpi, bool primary) {
    Monitor m;
    m.name = name;
    m.x = x;
    m.width = width;
    m.height = height;
    m.dpi = dpi;
    m.primary = primary;
    return m;
}

Frame frame_with_alert(std::optional<std::string> monitor_name) {
    Frame frame;
    frame.monitor = std::move(monitor_name);
    frame.alerts.emplace_back();
    return frame;
}

TEST(FramePlan, HidesWithoutAMonitorAndLaysNothingOut) {
    FakeMeasurer measurer;
    Frame frame = frame_with_alert(std::nullopt);
    frame.hud.emplace();
    const FramePlan plan = plan_frame(frame, {}, 0, measurer);
    EXPECT_FALSE(plan.monitor);
    EXPECT_FALSE(plan.window);
    EXPECT_TRUE(plan.layout.blocks.empty());
    EXPECT_TRUE(measurer.calls.empty());
}

TEST(FramePlan, HidesWhenNothingIsShownButKeepsTheMonitorAndScale) {
    FakeMeasurer measurer;
    const FramePlan plan = plan_frame(Frame{}, {monitor("\\\\.\\DISPLAY1", 0, 2560, 1440, 96, true)}, 0, measurer);
    ASSERT_TRUE(plan.monitor);
    EXPECT_EQ(*plan.monitor, 0u);
    EXPECT_DOUBLE_EQ(plan.scale, 1.25);
    EXPECT_FALSE(plan.window);
}

TEST(FramePlan, PlacesOnTheNamedMonitorWithItsDpi) {
    FakeMeasurer measurer;
    const std::vector<Monitor> monitors{monitor("\\\\.\\DISPLAY1", 0, 1920, 1080, 96, true),
                                        monitor("\\\\.\\DISPLAY2", -3840, 3840, 2160, 144, false)};
    const FramePlan plan = plan_frame(frame_with_alert("\\\\.\\DISPLAY2"), monitors, 0, measurer);
    ASSERT_TRUE(plan.monitor);
    EXPECT_EQ(*plan.monitor, 1u);
    EXPECT_DOUBLE_EQ(plan.scale, 1.875);
    ASSERT_TRUE(plan.window);
    EXPECT_EQ(*plan.window, place_window(monitors[1], plan.layout));
    EXPECT_LT(plan.window->x, 0);
}

}  // namespace
}  // namespace tolmin
