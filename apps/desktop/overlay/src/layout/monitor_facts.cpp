#include "layout/monitor_facts.hpp"

#include <algorithm>
#include <limits>

#include "text/unicode.hpp"

namespace tolmin {

namespace {

std::int32_t edge_difference(std::int32_t high, std::int32_t low) {
    const std::int64_t d = static_cast<std::int64_t>(high) - static_cast<std::int64_t>(low);
    const std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    const std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(d, lo, hi));
}

}  // namespace

std::optional<std::string> device_name(std::u16string_view units) {
    // Decoding first and trimming after keeps a NUL that sits before other text: only the tail goes.
    std::string name = utf16_to_utf8(units);
    const std::size_t end = name.find_last_not_of('\0');
    if (end == std::string::npos) return std::nullopt;
    name.resize(end + 1);
    return name;
}

Monitor monitor_from_facts(const MonitorFacts& facts) {
    Monitor monitor;
    monitor.name = device_name(facts.device);
    monitor.x = facts.left;
    monitor.y = facts.top;
    monitor.width = edge_difference(facts.right, facts.left);
    monitor.height = edge_difference(facts.bottom, facts.top);
    monitor.dpi = facts.dpi;
    monitor.primary = (facts.flags & MONITOR_FLAG_PRIMARY) != 0;
    return monitor;
}

}  // namespace tolmin
