#include "report/monitor_option.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolmin {
namespace {

TEST(MonitorOption, ReadsEveryPart) {
    struct Case {
        std::string text;
        std::size_t position;
        std::optional<std::string> name;
        std::int32_t x, y, width, height;
        std::uint32_t dpi;
        bool primary;
    };
    const std::vector<Case> cases = {
        {"1920x1080", 1, "\\\\.\\DISPLAY1", 0, 0, 1920, 1080, 96, false},
        {"2560x1440", 3, "\\\\.\\DISPLAY3", 0, 0, 2560, 1440, 96, false},
        {"\\\\.\\DISPLAY1=1920x1080@96+0+0,primary", 1, "\\\\.\\DISPLAY1", 0, 0, 1920, 1080, 96, true},
        {"LEFT=3840x2160@144+-3840+0", 2, "LEFT", -3840, 0, 3840, 2160, 144, false},
        {"a=b=800x600+-1+-2", 1, "a=b", -1, -2, 800, 600, 96, false},
        {"=800x600,primary", 1, std::nullopt, 0, 0, 800, 600, 96, true},
        {"0x0@0", 1, "\\\\.\\DISPLAY1", 0, 0, 0, 0, 0, false},
        {"2147483647x2147483647@4294967295+-2147483648+2147483647", 1, "\\\\.\\DISPLAY1", -2147483647 - 1,
         2147483647, 2147483647, 2147483647, 4294967295u, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto monitor = parse_monitor_option(c.text, c.position);
        ASSERT_TRUE(monitor.has_value());
        EXPECT_EQ(monitor->name, c.name);
        EXPECT_EQ(monitor->x, c.x);
        EXPECT_EQ(monitor->y, c.y);
        EXPECT_EQ(monitor->width, c.width);
        EXPECT_EQ(monitor->height, c.height);
        EXPECT_EQ(monitor->dpi, c.dpi);
        EXPECT_EQ(monitor->primary, c.primary);
    }
}

TEST(MonitorOption, RejectsAnythingElse) {
    for (const char* text : {"",
                             "1920",
                             "1920x",
                             "x1080",
                             "1920X1080",
                             "1920x1080@",
                             "1920x1080@-96",
                             "1920x1080+0",
                             "1920x1080+0+",
                             "1920x1080-0+0",
                             "1920x1080+ 0+0",
                             "+1920x1080",
                             "-1x5",
                             "1920x1080,Primary",
                             "1920x1080,primary,primary",
                             "1920x1080 ",
                             "2147483648x1",
                             "1x1@4294967296",
                             "1x1+2147483648+0",
                             "1x1+0+-2147483649",
                             "1x1@96+0+0junk",
                             "NAME="}) {
        EXPECT_FALSE(parse_monitor_option(text, 1).has_value()) << text;
    }
}

}  // namespace
}  // namespace tolmin
