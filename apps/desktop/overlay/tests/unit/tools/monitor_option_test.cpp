// --monitor [NAME=]WxH[@DPI][+X+Y][,primary]: every part, its defaults and its limits.

#include "frame/monitor_option.hpp"

#include <gtest/gtest.h>

namespace tolmin {
namespace {

std::string monitor_text(const std::optional<Monitor>& m) {
    if (!m) return "refused";
    return m->name.value_or("<none>") + " " + std::to_string(m->width) + "x" + std::to_string(m->height) +
           "@" + std::to_string(m->dpi) + " " + std::to_string(m->x) + "," + std::to_string(m->y) +
           (m->primary ? " primary" : "");
}

TEST(MonitorOption, ReadsEveryPartAndRefusesAnythingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"2560x1440", "\\\\.\\DISPLAY3 2560x1440@96 0,0"},  // named after its position, 3
        {"\\\\.\\DISPLAY1=1920x1080@96+0+0,primary", "\\\\.\\DISPLAY1 1920x1080@96 0,0 primary"},
        {"LEFT=3840x2160@144+-3840+0", "LEFT 3840x2160@144 -3840,0"},
        {"a=b=800x600+-1+-2", "a=b 800x600@96 -1,-2"},
        {"=800x600,primary", "<none> 800x600@96 0,0 primary"},
        {"0x0@0", "\\\\.\\DISPLAY3 0x0@0 0,0"},
        {"2147483647x2147483647@4294967295+-2147483648+2147483647",
         "\\\\.\\DISPLAY3 2147483647x2147483647@4294967295 -2147483648,2147483647"},
    };
    for (const auto& [text, monitor] : cases) EXPECT_EQ(monitor_text(parse_monitor_option(text, 3)), monitor);
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
        EXPECT_EQ(monitor_text(parse_monitor_option(text, 1)), "refused") << text;
    }
}

}  // namespace
}  // namespace tolmin
