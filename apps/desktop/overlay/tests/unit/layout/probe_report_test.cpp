// The probe report: sizes in device-independent pixels, the default monitor, and every byte of the line.

#include "layout/probe_report.hpp"

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
    return text.ok() ? text.value() : "error: " + text.error().text;
}

const std::string HEAD = R"({"backend":"win32","layer_shell":false,"exclude_from_capture":)";

TEST(ProbeReport, SizesInDipsAndWholeScaleFactors) {
    constexpr std::int32_t I32_MAX = std::numeric_limits<std::int32_t>::max();
    const struct {
        std::int32_t width, height;
        std::uint32_t dpi;
        const char* sizes;
    } cases[] = {
        {3840, 2160, 144, R"("width":2560,"height":1440,"scale_factor":2)"},  // 1.5 rounds up
        {2560, 1600, 120, R"("width":2048,"height":1280,"scale_factor":1)"},  // 1.25 rounds down
        {3840, 2160, 168, R"("width":2194,"height":1234,"scale_factor":2)"},  // 1.75
        {3840, 2160, 240, R"("width":1536,"height":864,"scale_factor":3)"},   // 2.5 rounds up
        {1366, 768, 0, R"("width":1366,"height":768,"scale_factor":1)"},      // dpi 0 counts as 96
        {1001, -1001, 192, R"("width":501,"height":-501,"scale_factor":2)"},  // halves away from zero
        {I32_MAX, I32_MAX, 48, R"("width":2147483647,"height":2147483647,"scale_factor":1)"},  // saturates
    };
    for (const auto& c : cases) {
        EXPECT_EQ(report_of(false, {monitor_of("m", c.width, c.height, c.dpi)}),
                  HEAD + R"(false,"monitors":[{"name":"m",)" + c.sizes + R"(,"primary":true}]})");
    }
}

TEST(ProbeReport, ExactBytes) {
    const struct {
        bool excluded;
        std::vector<Monitor> monitors;
        std::string expected;
    } cases[] = {
        {true, {}, HEAD + R"(true,"monitors":[]})"},
        {true,
         {monitor_of("A", 1920, 1080, 96), monitor_of(std::nullopt, 1920, 1080, 96, true)},
         HEAD +
             R"(true,"monitors":[{"name":"A","width":1920,"height":1080,"scale_factor":1,"primary":false},)"
             R"({"name":null,"width":1920,"height":1080,"scale_factor":1,"primary":true}]})"},
        {false,
         {monitor_of("A", 800, 600, 96), monitor_of("B", 800, 600, 96)},  // neither primary: the first
         HEAD + R"(false,"monitors":[{"name":"A","width":800,"height":600,"scale_factor":1,"primary":true},)"
                R"({"name":"B","width":800,"height":600,"scale_factor":1,"primary":false}]})"},
    };
    for (const auto& c : cases) EXPECT_EQ(report_of(c.excluded, c.monitors), c.expected);
}

TEST(ProbeReport, TheBackendAndLayerShellAreTheWindowSystems) {
    ProbeReport report = make_probe_report(false, {monitor_of("DP-1", 1280, 720, 96)});
    report.backend = "x11";
    report.layer_shell = true;
    EXPECT_EQ(write_probe_report(report).value(),
              R"({"backend":"x11","layer_shell":true,"exclude_from_capture":false,"monitors":[)"
              R"({"name":"DP-1","width":1280,"height":720,"scale_factor":1,"primary":true}]})");
}

TEST(ProbeReport, NamesAreEscapedAsJsonRequiresAndNoMore) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\\\.\\DISPLAY1", R"("\\\\.\\DISPLAY1")"},
        {"a\"b", R"("a\"b")"},
        {"\b\t\n\f\r", R"("\b\t\n\f\r")"},
        {std::string("\0\x01\x1f\x0b", 4), R"("\u0000\u0001\u001f\u000b")"},
        {" /~\x7f Caf\xC3\xA9 \xF0\x9F\x96\xA5", "\" /~\x7f Caf\xC3\xA9 \xF0\x9F\x96\xA5\""},
    };
    for (const auto& [name, json] : cases) {
        EXPECT_EQ(report_of(false, {monitor_of(name, 1, 2, 96)}),
                  HEAD + R"(false,"monitors":[{"name":)" + json +
                      R"(,"width":1,"height":2,"scale_factor":1,"primary":true}]})");
    }
}

}  // namespace
}  // namespace tolmin
