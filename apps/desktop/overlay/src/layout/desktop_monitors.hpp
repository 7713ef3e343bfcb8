#pragma once
// Monitors as a desktop reports them that has no per-monitor DPI: each a named rectangle with a primary flag,
// and one DPI setting, written as text, for all of them (on X11 the Xft.dpi resource).

#include <cstdint>
#include <optional>
#include <string_view>

#include "layout/monitor.hpp"

namespace tolmin {

inline constexpr std::uint32_t DEFAULT_DPI = 96;

// The DPI a setting's text gives: its leading number (after blanks and tabs; what follows it is ignored, as
// the desktop's own readers do), rounded half away from zero and saturated to 32 bits. DEFAULT_DPI when
// there is no setting or it is not a finite number that rounds to 1 or more.
std::uint32_t dpi_from_setting(std::optional<std::string_view> text);

struct DesktopMonitor {
    std::optional<std::string_view> name;  // bytes as the system has them; none when it has no name
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool primary = false;
};

// The record with `dpi`: the name as UTF-8 (invalid parts become U+FFFD), absent when empty.
Monitor monitor_from_desktop(const DesktopMonitor& monitor, std::uint32_t dpi);

}  // namespace tolmin
