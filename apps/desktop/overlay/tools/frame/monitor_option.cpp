#include "frame/monitor_option.hpp"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace tolmin {
namespace {

// Reads an optionally signed decimal number at the front of `text` within [low, high] and removes it.
std::optional<std::int64_t> take_number(std::string_view& text, std::int64_t low, std::int64_t high) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::size_t digits_at = negative ? 1 : 0;
    if (negative && low >= 0) return std::nullopt;
    if (text.size() <= digits_at || text[digits_at] < '0' || text[digits_at] > '9') return std::nullopt;
    std::int64_t value = 0;
    const char* const first = text.data();
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || value < low || value > high) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - first));
    return value;
}

bool take(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<Monitor> parse_monitor_option(std::string_view text, std::size_t position) {
    constexpr std::int64_t I32_MIN = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t I32_MAX = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t U32_MAX = std::numeric_limits<std::uint32_t>::max();

    Monitor monitor;
    std::string_view rest = text;
    constexpr std::string_view PRIMARY = ",primary";
    if (rest.size() >= PRIMARY.size() && rest.substr(rest.size() - PRIMARY.size()) == PRIMARY) {
        monitor.primary = true;
        rest.remove_suffix(PRIMARY.size());
    }
    const std::size_t equals = rest.rfind('=');
    if (equals == std::string_view::npos) {
        monitor.name = "\\\\.\\DISPLAY" + std::to_string(position);
    } else {
        if (equals > 0) monitor.name = std::string(rest.substr(0, equals));
        rest.remove_prefix(equals + 1);
    }

    const auto width = take_number(rest, 0, I32_MAX);
    if (!width || !take(rest, 'x')) return std::nullopt;
    const auto height = take_number(rest, 0, I32_MAX);
    if (!height) return std::nullopt;
    monitor.width = static_cast<std::int32_t>(*width);
    monitor.height = static_cast<std::int32_t>(*height);
    if (take(rest, '@')) {
        const auto dpi = take_number(rest, 0, U32_MAX);
        if (!dpi) return std::nullopt;
        monitor.dpi = static_cast<std::uint32_t>(*dpi);
    }
    if (take(rest, '+')) {
        const auto x = take_number(rest, I32_MIN, I32_MAX);
        if (!x || !take(rest, '+')) return std::nullopt;
        const auto y = take_number(rest, I32_MIN, I32_MAX);
        if (!y) return std::nullopt;
        monitor.x = static_cast<std::int32_t>(*x);
        monitor.y = static_cast<std::int32_t>(*y);
    }
    if (!rest.empty()) return std::nullopt;
    return monitor;
}

}  // namespace tolmin
