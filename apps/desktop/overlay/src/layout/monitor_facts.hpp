#pragma once
// A Monitor record from what the system reports about one monitor: the device name as its fixed array of
// UTF-16 units, the full rectangle as edges, the effective DPI and the flag bits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "layout/monitor.hpp"

namespace tolmin {

// Bit 0 of the monitor flags: the system's primary monitor.
inline constexpr std::uint32_t MONITOR_FLAG_PRIMARY = 0x1;

struct MonitorFacts {
    std::u16string_view device;  // every unit of the name array, terminator and zero padding included
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::uint32_t dpi = 96;
    std::uint32_t flags = 0;
};

// The name decoded (an unpaired surrogate becomes U+FFFD) with every trailing NUL removed; absent when
// nothing remains.
std::optional<std::string> device_name(std::u16string_view units);

// The record: width and height are the differences of the edges, saturated to 32 bits (a reversed or huge
// rectangle must not overflow).
Monitor monitor_from_facts(const MonitorFacts& facts);

}  // namespace tolmin
