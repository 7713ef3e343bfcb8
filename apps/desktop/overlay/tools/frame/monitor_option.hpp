#pragma once
// The frame checker's description of a monitor: [NAME=]WxH[@DPI][+X+Y][,primary].
//   NAME     the device name (everything before the last "="); an empty NAME gives a monitor without a name;
//            without "NAME=" the monitor is named "\\.\DISPLAYn", n being its 1-based position
//   W, H     width and height in physical pixels, 0..2147483647
//   DPI      effective DPI, 0..4294967295 (default 96)
//   X, Y     the top-left corner, -2147483648..2147483647 (default 0, 0), e.g. +-3840+0
//   primary  the system's primary flag (default not primary)

#include <cstddef>
#include <optional>
#include <string_view>

#include "layout/monitor.hpp"

namespace tolmin {

inline constexpr std::string_view MONITOR_OPTION_FORM = "[NAME=]WxH[@DPI][+X+Y][,primary]";

// `position` is the monitor's 1-based place among the monitors given. None when `text` is not of the form.
std::optional<Monitor> parse_monitor_option(std::string_view text, std::size_t position);

}  // namespace tolmin
