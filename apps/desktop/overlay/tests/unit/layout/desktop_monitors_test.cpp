// Monitors of a desktop that reports a named rectangle per monitor and one DPI setting for all of them.

#include "layout/desktop_monitors.hpp"

#include <gtest/gtest.h>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(DpiSetting, "tables/dpi_setting.tsv", 0);

TEST_P(DpiSetting, FromTheSettingsText) {
    const test::Row& row = GetParam();
    const std::string text = test::bytes(row[0]);
    const auto setting = row[0] == "-" ? std::nullopt : std::optional<std::string_view>(text);
    EXPECT_EQ(dpi_from_setting(setting), std::stoul(row[1]));
}

TEST(DesktopMonitors, NamesAreUtf8AndAnEmptyNameIsNone) {
    const DesktopMonitor named{"HDMI-1", -640, 0, 640, 480, true};
    const Monitor monitor = monitor_from_desktop(named, 144);
    EXPECT_EQ(monitor.name, "HDMI-1");
    EXPECT_EQ((std::vector<std::int64_t>{monitor.x, monitor.y, monitor.width, monitor.height, monitor.dpi}),
              (std::vector<std::int64_t>{-640, 0, 640, 480, 144}));
    EXPECT_TRUE(monitor.primary);
    EXPECT_EQ(monitor_from_desktop({"DP\xFF", 0, 0, 1, 1, false}, 96).name, "DP\xEF\xBF\xBD");
    EXPECT_EQ(monitor_from_desktop({"", 0, 0, 1, 1, false}, 96).name, std::nullopt);
    EXPECT_EQ(monitor_from_desktop({std::nullopt, 0, 0, 1, 1, false}, 96).name, std::nullopt);
}

}  // namespace
}  // namespace tolmin
