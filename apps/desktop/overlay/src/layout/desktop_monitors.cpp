#include "layout/desktop_monitors.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "text/unicode.hpp"

namespace tolmin {

std::uint32_t dpi_from_setting(std::optional<std::string_view> text) {
    if (!text) return DEFAULT_DPI;
    std::size_t start = text->find_first_not_of(" \t");
    if (start == std::string_view::npos) return DEFAULT_DPI;
    if ((*text)[start] == '+') ++start;  // a sign the desktop's readers (strtod) take too
    double value = 0;
    const char* first = text->data() + start;
    const auto [end, error] = std::from_chars(first, text->data() + text->size(), value);
    if (error != std::errc() || !std::isfinite(value)) return DEFAULT_DPI;
    const double whole = std::round(value);
    if (whole < 1) return DEFAULT_DPI;
    constexpr double MAX = std::numeric_limits<std::uint32_t>::max();
    return whole >= MAX ? std::numeric_limits<std::uint32_t>::max() : static_cast<std::uint32_t>(whole);
}

Monitor monitor_from_desktop(const DesktopMonitor& desktop, std::uint32_t dpi) {
    Monitor monitor;
    if (desktop.name && !desktop.name->empty()) monitor.name = repair_utf8(*desktop.name);
    monitor.x = desktop.x;
    monitor.y = desktop.y;
    monitor.width = desktop.width;
    monitor.height = desktop.height;
    monitor.dpi = dpi;
    monitor.primary = desktop.primary;
    return monitor;
}

}  // namespace tolmin
