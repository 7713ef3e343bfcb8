#include "display/probe_report.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace tolmin {
namespace {

Monitor monitor_of(std::optional<std::string> name, std::int32_t width, std::int32_t height,
                   std::uint32_t dpi, bool primary = false) {
    Monitor monitor;
    monitor.name = std::move(name);
    monitor.x = -width;  // the position plays no part in the report
    monitor.width = width;
    monitor.height = height;
    monitor.dpi = dpi;
    monitor.primary = primary;
    return monitor;
}

std::string report_of(bool excluded, const std::vector<Monitor>& monitors) {
    const Result<std::string> text = write_probe_report(make_probe_report(excluded, monitors));
    EXPECT_TRUE(text.ok());
    return text.ok() ? text.value() : std::string();
}

TEST(ProbeReport, SizesInDipsAndWholeScaleFactors) {
    constexpr std::int32_t I32_MAX = std::numeric_limits<std::int32_t>::max();
    const struct {
        std::int32_t width, height;
        std::uint32_t dpi;
        std::int32_t dip_width, dip_height, scale_factor;
    } cases[] = {
        {1920, 1080, 96, 1920, 1080, 1},
        {3840, 2160, 144, 2560, 1440, 2},             // 1.5 rounds up
        {2560, 1600, 120, 2048, 1280, 1},             // 1.25 rounds down
        {3840, 2160, 168, 2194, 1234, 2},             // 1.75; 2194.29 and 1234.29
        {3840, 2160, 240, 1536, 864, 3},              // 2.5 rounds up
        {1366, 768, 0, 1366, 768, 1},                 // dpi 0 counts as 96
        {1001, 1003, 192, 501, 502, 2},               // halves away from zero
        {I32_MAX, I32_MAX, 48, I32_MAX, I32_MAX, 1},  // doubled: saturates
        {-1001, 0, 192, -501, 0, 2},
    };
    for (const auto& c : cases) {
        const ProbeReport report = make_probe_report(false, {monitor_of("m", c.width, c.height, c.dpi)});
        ASSERT_EQ(report.monitors.size(), 1u);
        const ProbeMonitor& m = report.monitors[0];
        EXPECT_EQ(m.width, c.dip_width) << c.width << "@" << c.dpi;
        EXPECT_EQ(m.height, c.dip_height) << c.height << "@" << c.dpi;
        EXPECT_EQ(m.scale_factor, c.scale_factor) << c.dpi;
        EXPECT_EQ(m.name, "m");
        EXPECT_TRUE(m.primary);
    }
}

TEST(ProbeReport, ExactBytes) {
    const struct {
        const char* name;
        bool excluded;
        std::vector<Monitor> monitors;
        const char* expected;
    } cases[] = {
        {"one monitor",
         false,
         {monitor_of("\\\\.\\DISPLAY1", 1920, 1080, 96, true)},
         R"({"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[)"
         R"({"name":"\\\\.\\DISPLAY1","width":1920,"height":1080,"scale_factor":1,"primary":true}]})"},
        {"no monitors",
         true,
         {},
         R"({"backend":"win32","layer_shell":false,"exclude_from_capture":true,"monitors":[]})"},
        {"second primary, no name",
         true,
         {monitor_of("A", 3840, 2160, 144), monitor_of(std::nullopt, 1920, 1080, 96, true)},
         R"({"backend":"win32","layer_shell":false,"exclude_from_capture":true,"monitors":[)"
         R"({"name":"A","width":2560,"height":1440,"scale_factor":2,"primary":false},)"
         R"({"name":null,"width":1920,"height":1080,"scale_factor":1,"primary":true}]})"},
        {"neither primary",
         false,
         {monitor_of("A", 800, 600, 96), monitor_of("B", 800, 600, 96)},
         R"({"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[)"
         R"({"name":"A","width":800,"height":600,"scale_factor":1,"primary":true},)"
         R"({"name":"B","width":800,"height":600,"scale_factor":1,"primary":false}]})"},
        {"both primary",
         false,
         {monitor_of("A", 800, 600, 96, true), monitor_of("B", 800, 600, 96, true)},
         R"({"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[)"
         R"({"name":"A","width":800,"height":600,"scale_factor":1,"primary":true},)"
         R"({"name":"B","width":800,"height":600,"scale_factor":1,"primary":false}]})"},
        {"negative size",
         false,
         {monitor_of("", -5, -1, 96)},
         R"({"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[)"
         R"({"name":"","width":-5,"height":-1,"scale_factor":1,"primary":true}]})"},
    };
    for (const auto& c : cases) EXPECT_EQ(report_of(c.excluded, c.monitors), c.expected) << c.name;
}

TEST(ProbeReport, NameEscaping) {
    const struct {
        std::string name;
        std::string json;
    } cases[] = {
        {"a\"b", R"("a\"b")"},
        {"a\\b", R"("a\\b")"},
        {"\b\t\n\f\r", R"("\b\t\n\f\r")"},
        {std::string("\0\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
        {"\x0b\x1a\x1b", R"("\u000b\u001a\u001b")"},
        {" /~\x7f", "\" /~\x7f\""},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\xA5", "\"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\xA5\""},
    };
    for (const auto& c : cases) {
        ProbeReport report;
        report.monitors.push_back(ProbeMonitor{c.name, 1, 2, 3, false});
        const Result<std::string> text = write_probe_report(report);
        ASSERT_TRUE(text.ok());
        const std::string expected =
            R"({"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[{"name":)" +
            c.json + R"(,"width":1,"height":2,"scale_factor":3,"primary":false}]})";
        EXPECT_EQ(text.value(), expected);
    }
}

TEST(ProbeReport, IntegerExtremes) {
    ProbeReport report;
    report.monitors.push_back(ProbeMonitor{std::nullopt, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max(), 0, true});
    const Result<std::string> text = write_probe_report(report);
    ASSERT_TRUE(text.ok());
    EXPECT_NE(text.value().find(R"("width":-2147483648,"height":2147483647,"scale_factor":0,)"),
              std::string::npos);
}

}  // namespace
}  // namespace tolmin
